// Weights typed with a comma on a desktop whose locale is not Turkish. The
// suite runs this file under LANG=C.UTF-8 and under LANG=en_US.UTF-8 as well
// (tests/CMakeLists.txt), where the desktop's decimal point is ".".

#include "app/dialogs/Agirlik.h"
#include "app/kit/Formats.h"
#include "support/TestSupport.h"

#include <QLineEdit>
#include <QLocale>
#include <QPushButton>

namespace {

class NumberEntryLocale : public ScreensTest {
protected:
    void SetUp() override
    {
        ScreensTest::SetUp();
        numberEntrySaved = Formats::decimalSeparator();
        // What start-up does, on this desktop's locale.
        Formats::fix();
    }
    void TearDown() override
    {
        Formats::setDecimalSeparator(numberEntrySaved);
        ScreensTest::TearDown();
    }
    QChar numberEntrySaved;
};

TEST_F(NumberEntryLocale, TheProgramsDecimalCommaHoldsWhateverTheDesktopSays)
{
    RecordProperty("desktop_decimal_point", QLocale::system().decimalPoint().toStdString());
    EXPECT_EQ(Formats::decimalSeparator(), QChar(','));
    EXPECT_EQ(Formats::floatToStr(58.9, 1), "58,9");
}

TEST_F(NumberEntryLocale, TypedCommaWeightIsAcceptedAtTheWeightDialog)
{
    modals().expect("TAgirlik", [](QDialog* d) {
        typeInto(child<QLineEdit>(d, "Edit1"), "58,9");
        click(child<QPushButton>(d, "BitBtn1"));
    });
    Agirlik->showModal();
    EXPECT_EQ(Agirlik->FConfirmed, 1);
    EXPECT_EQ(ui().count(), 0) << ui().lastText().toStdString();
    double weight = 0;
    ASSERT_TRUE(TAgirlik::readsAsNumber(Agirlik->Edit1->text(), Formats::decimalSeparator(), &weight));
    EXPECT_DOUBLE_EQ(weight, 58.9);
}

} // namespace
