#include "Zrlanguage/Zrlanguage.h"
#include "lang/Translator.h"
#include "platform/Library.h"

#include <gtest/gtest.h>

#include <thread>

using namespace zrv;

namespace {

struct Pair {
    const char* simplified;
    const char* traditional;
};
const Pair kPairs[] = {
    { "简体中文", "簡體中文" },
    { "采购入库及退货明细表", "採購入庫及退貨明細表" },
    { "供应商: ABC-123 (台湾)", "供應商: ABC-123 (臺灣)" },
    { "", "" },
    { "plain ASCII 0-9", "plain ASCII 0-9" },
};

} // namespace

TEST(Zrlanguage, ConvertsBothWaysThroughItsCContract)
{
    auto library = Library::Load("Zrlanguage.dll");
    ASSERT_NE(library, nullptr);
    auto toBig5 = library->Function<decltype(&GBtoBIG5)>("GBtoBIG5");
    auto toGB = library->Function<decltype(&BIG5toGB)>("BIG5toGB");
    ASSERT_TRUE(toBig5 && toGB);
    for (const auto& p : kPairs) {
        EXPECT_STREQ(toBig5(p.simplified), p.traditional);
        EXPECT_STREQ(toGB(p.traditional), p.simplified);
    }
    EXPECT_STREQ(toBig5(nullptr), "");
    EXPECT_STREQ(toGB(nullptr), "");
    // Not UTF-8: handed back unchanged rather than mangled.
    EXPECT_STREQ(toBig5("\xBC\xF2\xCC\xE5\xFF"), "\xBC\xF2\xCC\xE5\xFF");
    EXPECT_STREQ(toGB("a\xC0\x80"), "a\xC0\x80"); // overlong form

    // Each function keeps its own result buffer: one call does not spoil the other's text.
    const char* traditional = toBig5("简体");
    const char* simplified = toGB("繁體");
    EXPECT_STREQ(traditional, "簡體");
    EXPECT_STREQ(simplified, "繁体");
}

TEST(Zrlanguage, ThreadsKeepTheirOwnResults)
{
    auto library = Library::Load("Zrlanguage.dll");
    ASSERT_NE(library, nullptr);
    auto toBig5 = library->Function<decltype(&GBtoBIG5)>("GBtoBIG5");
    std::atomic<int> wrong { 0 };
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&, t] {
            const Pair& p = kPairs[t % 3];
            for (int i = 0; i < 200; ++i)
                if (std::string(toBig5(p.simplified)) != p.traditional)
                    ++wrong;
        });
    for (auto& t : threads)
        t.join();
    EXPECT_EQ(wrong, 0);
}

TEST(Translator, RoundTripThroughTheLibrary)
{
    TTranslator translator;
    for (const auto& p : kPairs) {
        EXPECT_EQ(translator.GBtoBIG5(p.simplified), p.traditional);
        EXPECT_EQ(translator.BIG5toGB(p.traditional), p.simplified);
        EXPECT_EQ(translator.BIG5toGB(translator.GBtoBIG5(p.simplified)), p.simplified);
    }
    // Two translators share the loaded library; freeing one leaves the other working.
    auto second = std::make_unique<TTranslator>();
    second.reset();
    EXPECT_EQ(translator.GBtoBIG5("简体中文"), "簡體中文");
}

TEST(Translator, MissingLibraryOrEntryPointRaisesNamingIt)
{
    struct Case {
        const char* library;
        const char* message;
    };
    const Case cases[] = {
        { "NoSuchZrlanguage.dll", "Load Library NoSuchZrlanguage.dll Error!" },
        { "libm.so.6", "Get Library Procedure Address Error!" },
        { "CallWebService.dll", "Get Library Procedure Address Error!" },
    };
    for (const auto& c : cases) {
        try {
            TTranslator translator(c.library);
            ADD_FAILURE() << c.library << " loaded";
        } catch (const TranslatorError& e) {
            EXPECT_STREQ(e.what(), c.message);
        }
    }
}
