#pragma once

#include "DriverFixture.h"
#include "ExportCall.h"
#include "ProcessDriver.h"
#include "VF620.h"

// Runs the library's C functions over a fake port and virtual time: the
// process-wide driver is swapped for one of the test's for its duration.
struct ExportsFixture : ::testing::Test
{
    CDriverParts parts;
    std::unique_ptr<CDriver> m_pSaved;

    void SetUp() override { m_pSaved = ReplaceProcessDriver(parts.MakeDriver()); }
    void TearDown() override
    {
        ::CloseDComm();
        ReplaceProcessDriver(std::move(m_pSaved));
    }

    // Calls ordinal n with integer arguments.
    static std::int32_t CallOrdinal(std::int32_t nOrdinal, std::vector<std::int64_t> values)
    {
        const VF620_EXPORT_ENTRY* pEntry = VF620_GetExport(nOrdinal);
        EXPECT_NE(pEntry, nullptr) << nOrdinal;
        if (!pEntry)
            return -99;
        std::vector<CCallArgument> args;
        for (auto nValue : values)
            args.push_back({nValue, nullptr});
        const auto nResult = CallExport(*pEntry, args);
        EXPECT_TRUE(nResult.has_value()) << pEntry->pszName;
        return nResult.value_or(-99);
    }
};
