#!/usr/bin/env python3
"""Writes resources/xml/ParameterStrings.xml, the value lists of the effect
parameters and of the sample level.

Long lists are written as runs of evenly spaced values. A run names its first
and last text, its step and its item count; the script checks that stepping
from the first text reaches exactly the last text after that many items, so a
typing error in a run stops the script instead of producing a wrong list.

Usage: tools/parameter-strings/generate.py [OUTPUT]   (default: the resource)
"""

import decimal
import os
import re
import sys
from decimal import Decimal
from xml.sax.saxutils import quoteattr

TEXT_PATTERN = re.compile(r"^([ +-]?)(\d+(?:\.(\d+))?)(.*)$")


def format_number(value, decimals, unit, explicit_plus):
    quantum = Decimal(1).scaleb(-decimals)
    rounded = value.quantize(quantum, rounding=decimal.ROUND_HALF_UP)
    sign = "-" if rounded < 0 else ("+" if explicit_plus else "")
    return f"{sign}{abs(rounded):.{decimals}f}{unit}"


def run(first, last, step, count):
    """Items from `first` to `last` in steps of `step`; the texts keep the
    sign style, decimal places and unit of `first` (halves rounded up)."""
    sign, number, fraction, unit = TEXT_PATTERN.match(first).groups()
    decimals = len(fraction) if fraction else 0
    start = Decimal(number) * (-1 if sign == "-" else 1)
    explicit_plus = sign == "+"
    items = [format_number(start + Decimal(step) * k, decimals, unit, explicit_plus)
             for k in range(count)]
    if items[0] != first or items[-1] != last:
        raise SystemExit(f"run {first!r}..{last!r} step {step} x{count} ends at {items[-1]!r}")
    return items


def repeat(text, count):
    return [text] * count


def concat(*parts):
    items = []
    for part in parts:
        items.extend([part] if isinstance(part, str) else part)
    return items


# name -> (expected item count, items)
LISTS = {}


def define(name, count, items):
    if len(items) != count:
        raise SystemExit(f"{name}: {len(items)} items, expected {count}")
    LISTS[name] = items


define("OnOff", 2, ["Off", "On"])
define("FxEnvSel", 2, ["LR Mix", "LR Indiv."])
define("FxFltType", 5, ["LPF24", "LPF18", "LPF12", "HPF12", "BPF12"])
define("FxLfoWave", 5, ["Saw", "Square", "Triangle", "Sine", "S&H"])
define("FxLfoKeySync", 2, ["Off", "On"])
define("LfoSyncNote", 17, ["8/1", "4/1", "2/1", "1/1", "3/4", "1/2", "3/8", "1/3", "1/4",
                           "3/16", "1/6", "1/8", "1/12", "1/16", "1/24", "1/32", "1/64"])
define("LfoInitPhase", 19, [str(10 * k) for k in range(19)])
define("FxEqBand1Type", 2, ["Peaking", "Shelving Low"])
define("FxEqBand2Type", 2, ["Peaking", "Shelving High"])
define("FxReverbType", 6, ["Hall", "Smooth Hall", "Wet Plate", "Dry Plate", "Room", "Bright Room"])
define("FxStDelayType", 2, ["Stereo", "Cross"])
define("FxDelaySyncNote", 14, ["1/64", "1/32", "1/24", "1/16", "1/12", "1/8", "1/6", "3/16",
                               "1/4", "1/3", "3/8", "1/2", "3/4", "1/1"])
define("FxFlangerPhase", 2, ["+", "-"])
define("FxPhaserType", 2, ["Blue", "U-VB"])
define("FxOscMode", 2, ["Fixed", "Note"])
define("FxOscWave", 3, ["Saw", "Triangle", "Sine"])
define("FxTalkModVoice", 5, ["A", "I", "U", "E", "O"])
define("FxFBPosition", 2, ["Pre", "Post"])
define("FxPitchShifterMode", 3, ["Slow", "Medium", "Fast"])
define("FxLooperSw", 3, ["Rec", "Loop Play", "Overdub"])
define("FxLooperLength", 8, ["1/32", "1/16", "1/8", "1/4", "1/2", "1/1", "2/1", "4/1"])
define("FxTimeRatioSyncOn", 15, ["12.50%", "16.70%", "25.00%", "33.30%", "50.00%", "66.60%",
                                 "75.00%", "100.00%", "125.00%", "133.00%", "150.00%",
                                 "200.00%", "250.00%", "300.00%", "400.00%"])
define("FxDeciBit", 21, [f"{bits}bit" for bits in range(4, 25)])

define("FxDeciFs", 95, run("1.0kHz", "48.0kHz", "0.5", 95))
define("FxReverbTime", 100, run("0.1sec", "10.0sec", "0.1", 100))
define("FxReverbTimeShort", 100, concat(
    run("20ms", "1000ms", "20", 50),
    run("1040ms", "3000ms", "40", 50)))

define("FxDelay_0_30", 114, concat(
    run("0.0ms", "6.0ms", "0.1", 61),
    run("6.2ms", "9.0ms", "0.2", 15),
    run("9.3ms", "16.5ms", "0.3", 25),
    run("17.0ms", "20.0ms", "0.5", 7),
    "21.0ms",
    run("22.0ms", "30.0ms", "2.0", 5)))
define("FxDelay_0_50", 120, concat(
    run("0.0ms", "2.0ms", "0.1", 21),
    run("2.2ms", "6.0ms", "0.2", 20),
    run("6.3ms", "12.0ms", "0.3", 20),
    run("12.5ms", "33.0ms", "0.5", 42),
    run("34.0ms", "50.0ms", "1.0", 17)))
define("FxDelay_0_350", 128, concat(
    run("0ms", "50ms", "1", 51),
    run("52ms", "110ms", "2", 30),
    run("115ms", "340ms", "5", 46),
    "350ms"))
define("FxDelay_0_500", 128, concat(
    run("0ms", "30ms", "1", 31),
    run("32ms", "80ms", "2", 25),
    run("85ms", "380ms", "5", 60),
    run("390ms", "500ms", "10", 12)))
define("FxDelay_0_1400", 128, concat(
    run("0ms", "10ms", "1", 11),
    run("12ms", "30ms", "2", 10),
    run("35ms", "150ms", "5", 24),
    run("160ms", "560ms", "10", 41),
    run("580ms", "1400ms", "20", 42)))

define("FxFreq_0_12000", 128, concat(
    run("0Hz", "10Hz", "2", 6),
    run("15Hz", "30Hz", "5", 4),
    run("40Hz", "150Hz", "10", 12),
    run("170Hz", "450Hz", "20", 15),
    run("500Hz", "950Hz", "50", 10),
    run("1.00kHz", "1.70kHz", "0.05", 15),
    run("1.80kHz", "4.60kHz", "0.10", 29),
    run("4.80kHz", "9.80kHz", "0.20", 26),
    run("10.0kHz", "12.0kHz", "0.2", 11)))

define("LfoFreq", 128, concat(
    run("0.01Hz", "0.25Hz", "0.01", 25),
    "0.29Hz",
    "0.33Hz",
    run("0.42Hz", "0.58Hz", "0.08", 3),
    run("0.67Hz", "0.83Hz", "0.08", 3),
    "0.92Hz",
    run("1.00Hz", "4.88Hz", "0.125", 32),
    run("5.00Hz", "10.00Hz", "0.25", 21),
    run("10.50Hz", "15.00Hz", "0.50", 10),
    run("16.00Hz", "20.00Hz", "1.00", 5),
    run("21.50Hz", "29.00Hz", "1.50", 6),
    run("31.00Hz", "41.00Hz", "2.00", 6),
    run("44.00Hz", "53.00Hz", "3.00", 4),
    run("57.00Hz", "65.00Hz", "4.00", 3),
    run("70.00Hz", "95.00Hz", "5.00", 6),
    "100.0Hz"))

define("FxGateAttack", 128, concat(
    run("0.1ms", "2.0ms", "0.1", 20),
    run("2.2ms", "4.4ms", "0.2", 12),
    run("4.7ms", "7.4ms", "0.3", 10),
    run("7.8ms", "9.4ms", "0.4", 5),
    run("10.0ms", "13.5ms", "0.5", 8),
    run("14ms", "25ms", "1", 12),
    run("27ms", "29ms", "1", 3),
    "31ms",
    run("32ms", "36ms", "2", 3),
    run("37ms", "43ms", "2", 4),
    run("46ms", "50ms", "2", 3),
    "53ms",
    run("55ms", "64ms", "3", 4),
    "68ms", "71ms", "75ms",
    run("78ms", "86ms", "4", 3),
    run("91ms", "99ms", "4", 3),
    "104ms", "110ms",
    run("115ms", "133ms", "6", 4),
    "140ms", "147ms", "155ms", "162ms",
    run("170ms", "197ms", "9", 4),
    run("207ms", "240ms", "11", 4),
    run("252ms", "278ms", "13", 3),
    run("292ms", "322ms", "15", 3),
    "338ms",
    run("355ms", "391ms", "18", 3),
    run("411ms", "453ms", "21", 3),
    "476ms", "500ms"))

define("FxTimeRatio", 128, concat(
    run("0.50%", "10.00%", "0.50", 20),
    "11.00%", "12.50%",
    run("13.00%", "15.00%", "1.00", 3),
    "16.70%",
    run("17.00%", "23.00%", "1.00", 7),
    "25.00%",
    run("28.00%", "32.00%", "2.00", 3),
    "33.30%",
    run("36.00%", "50.00%", "2.00", 8),
    run("53.00%", "65.00%", "3.00", 5),
    "66.60%",
    run("72.00%", "81.00%", "3.00", 4),
    "85.00%",
    run("89.00%", "98.00%", "3.00", 4),
    repeat("100.00%", 5),
    run("101.00%", "110.00%", "1.00", 10),
    run("112.00%", "122.00%", "2.00", 6),
    "123.00%", "125.00%", "128.00%", "130.00%", "133.30%",
    run("134.00%", "140.00%", "2.00", 4),
    "143.00%", "146.00%", "150.00%",
    run("152.00%", "200.00%", "3.00", 17),
    run("205.00%", "230.00%", "5.00", 6),
    run("240.00%", "280.00%", "10.00", 5),
    run("300.00%", "400.00%", "20.00", 6)))

define("FxLooperSpeed", 128, concat(
    run("-1.000", "-0.700", "0.100", 4),
    run("-0.650", "-0.400", "0.050", 6),
    run("-0.375", "-0.100", "0.025", 12),
    run("-0.090", "-0.010", "0.010", 9),
    " 0.000",
    run("+0.010", "+0.100", "0.010", 10),
    run("+0.125", "+0.400", "0.025", 12),
    run("+0.450", "+0.700", "0.050", 6),
    "+0.800", "+0.900",
    repeat("+1.000", 4),
    run("+1.010", "+1.060", "0.010", 6),
    run("+1.080", "+1.300", "0.020", 12),
    run("+1.325", "+1.500", "0.025", 8),
    run("+1.550", "+2.000", "0.050", 10),
    run("+2.100", "+2.500", "0.100", 5),
    run("+2.625", "+3.000", "0.125", 4),
    run("+3.250", "+4.000", "0.250", 4),
    run("+4.500", "+8.000", "0.500", 8),
    "+9.000",
    run("+10.000", "+16.000", "2.000", 4)))

define("FxEqFrequency", 59, [
    "20Hz", "22Hz", "25Hz", "28Hz", "32Hz", "36Hz", "40Hz", "45Hz", "50Hz", "56Hz", "63Hz",
    "71Hz", "80Hz", "90Hz", "100Hz", "112Hz", "125Hz", "140Hz", "160Hz", "180Hz", "200Hz",
    "224Hz", "250Hz", "280Hz", "315Hz", "400Hz", "450Hz", "500Hz", "560Hz", "630Hz", "710Hz",
    "800Hz", "900Hz", "1.00kHz", "1.12kHz", "1.25kHz", "1.40kHz", "1.60kHz", "1.80kHz",
    "2.00kHz", "2.24kHz", "2.50kHz", "2.80kHz", "3.15kHz", "4.00kHz", "4.50kHz", "5.00kHz",
    "5.60kHz", "6.30kHz", "7.10kHz", "8.00kHz", "9.00kHz", "10.0kHz", "11.2kHz", "12.5kHz",
    "14.0kHz", "16.0kHz", "18.0kHz", "20.0kHz"])

define("AmpLevel", 128, concat(
    "-INFdB",
    run("-74.0dB", "-24.0dB", "1.0", 51),
    run("-23.5dB", "-0.5dB", "0.5", 47),
    repeat("+0.0dB", 5),
    run("+0.5dB", "+12.0dB", "0.5", 24)))


def xml_text():
    lines = ['<?xml version="1.0" encoding="UTF-8"?>',
             "<!-- Generated by tools/parameter-strings/generate.py; edit the script, not this file. -->",
             "<Strings>"]
    for name, items in LISTS.items():
        lines.append(f"  <{name}>")
        lines.extend(f"    <Item_{i} Text={quoteattr(text)}/>" for i, text in enumerate(items))
        lines.append(f"  </{name}>")
    lines.append("</Strings>")
    return "\n".join(lines) + "\n"


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    default_output = os.path.join(here, "..", "..", "resources", "xml", "ParameterStrings.xml")
    output = sys.argv[1] if len(sys.argv) > 1 else default_output
    with open(output, "w", encoding="utf-8", newline="\n") as f:
        f.write(xml_text())


if __name__ == "__main__":
    main()
