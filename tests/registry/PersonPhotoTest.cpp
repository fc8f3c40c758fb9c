#include "registry/PersonPhoto.h"
#include "support/TestSupport.h"

#include <QImage>

namespace {

class PersonPhotoTest : public StationTest {};

TEST_F(PersonPhotoTest, ThePhotoIsNamedAfterThePersonsKeyInTheProgramFolder)
{
    EXPECT_EQ(PersonPhoto::fileName("C:\\CO\\QVX_PROG\\", 1207), "C:\\CO\\QVX_PROG\\R1207.jpg");
    EXPECT_EQ(PersonPhoto::fileName("M:\\QVX_PROG\\", 5), "M:\\QVX_PROG\\R5.jpg");
}

TEST_F(PersonPhotoTest, AtMost99999Bytes)
{
    EXPECT_TRUE(PersonPhoto::fits(0));
    EXPECT_TRUE(PersonPhoto::fits(99999));
    EXPECT_FALSE(PersonPhoto::fits(100000));
    EXPECT_FALSE(PersonPhoto::fits(250000));
}

TEST_F(PersonPhotoTest, OnlyAJpegPictureLoads)
{
    QImage picture(100, 120, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(host("C:\\CO\\QVX_PROG\\R1.jpg"), "JPEG"));
    ASSERT_TRUE(picture.save(host("C:\\CO\\QVX_PROG\\R2.jpg"), "PNG"));
    writeFile(host("C:\\CO\\QVX_PROG\\R3.jpg"), "not a picture");

    QImage read;
    EXPECT_TRUE(PersonPhoto::load("C:\\CO\\QVX_PROG\\R1.jpg", read));
    EXPECT_EQ(read.size(), QSize(100, 120));
    EXPECT_FALSE(PersonPhoto::load("C:\\CO\\QVX_PROG\\R2.jpg", read));
    EXPECT_TRUE(read.isNull());
    EXPECT_FALSE(PersonPhoto::load("C:\\CO\\QVX_PROG\\R3.jpg", read));
    EXPECT_FALSE(PersonPhoto::load("C:\\CO\\QVX_PROG\\R4.jpg", read));
}

} // namespace
