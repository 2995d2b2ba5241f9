#pragma once

#include "resources/CZQVResource.h"
#include "resources/ResourceLanguage.h"

namespace TestSupport
{
    // The English string table, for as long as it lives.
    struct EnglishResource
    {
        EnglishResource()
        {
            ResourceLanguage::choose (ResourceLanguage::english);
            CZQVResource::getInstance();
        }

        ~EnglishResource()
        {
            CZQVResource::releaseInstance();
            ResourceLanguage::choose ({});
        }
    };
}
