// Opening a document for the user: a document nothing can open is said, not
// passed over in silence.
#include "platform/shell/Shell.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

class ShellShow : public ::testing::Test {
protected:
    void SetUp() override { ui().clear(); }
    void TearDown() override { Shell::setHook({}); }
};

TEST_F(ShellShow, SaysWhenNothingOpensTheDocument)
{
    QStringList opened;
    Shell::setHook([&](const Shell::Request& r) {
        opened << r.target;
        return false;
    });
    EXPECT_FALSE(Shell::show("C:\\CO\\Rapor200.rtf"));
    EXPECT_EQ(opened, QStringList{"C:\\CO\\Rapor200.rtf"});
    EXPECT_EQ(ui().texts(), QStringList{"Açılamadı: bu bilgisayarda bunu açacak bir program bulunamadı ...!\n"
                                        "C:\\CO\\Rapor200.rtf"});
}

TEST_F(ShellShow, SaysNothingWhenTheDocumentOpens)
{
    Shell::setHook([](const Shell::Request&) { return true; });
    EXPECT_TRUE(Shell::show("C:\\CO\\Rapor200.rtf"));
    EXPECT_TRUE(ui().texts().isEmpty());
}

} // namespace
