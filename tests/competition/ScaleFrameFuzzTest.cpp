// The scale's frames under random input: a bounded run (fixed seed, fixed
// number of streams) that CI runs every time.
#include "competition/ScaleFrame.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

namespace ScaleFrameFuzzTestLocal {

QList<double> scaleFuzzWeights(const QList<ScaleFrame::Reading>& readings)
{
    QList<double> out;
    for (const auto& r : readings)
        out << r.kilograms;
    return out;
}

TEST(ScaleFrameFuzz, RandomStreamsGiveTheSameWeightsHoweverTheyAreCutAndNoBufferGrows)
{
    QRandomGenerator random(16010);
    const QByteArray alphabet("\r\nSTUS,+-0123456789. kg\x00\xFF", 24);
    for (ScaleFrame::Type type : {ScaleFrame::Type::Type1, ScaleFrame::Type::Type2, ScaleFrame::Type::None}) {
        const int frameLength = ScaleFrame::fieldOffset(type) + ScaleFrame::kFieldLength;
        for (int i = 0; i < 2000; ++i) {
            QByteArray stream;
            const int length = int(random.bounded(120));
            for (int k = 0; k < length; ++k)
                stream += alphabet[int(random.bounded(int(alphabet.size())))];
            QByteArray whole = stream;
            const QList<double> expected = scaleFuzzWeights(ScaleFrame::take(whole, type));
            QByteArray buffer;
            QList<double> got;
            for (int at = 0; at < stream.size();) {
                const int chunk = 1 + int(random.bounded(9));
                buffer += stream.mid(at, chunk);
                at += chunk;
                const QList<ScaleFrame::Reading> readings = ScaleFrame::take(buffer, type);
                for (const auto& r : readings) {
                    EXPECT_LE(r.digits.size(), ScaleFrame::kFieldLength);
                    EXPECT_GE(r.kilograms, 0.0);
                    EXPECT_LT(r.kilograms, 100000.0);
                }
                got += scaleFuzzWeights(readings);
                if (type == ScaleFrame::Type::None)
                    EXPECT_LT(buffer.size(), ScaleFrame::kBlockLength);
                else
                    EXPECT_LT(buffer.size(), frameLength);
            }
            // Without a frame type a reading comes per block received, so
            // only framed streams give the same weights however they are cut.
            if (type != ScaleFrame::Type::None) {
                ASSERT_EQ(got, expected) << stream.toHex().constData();
            }
        }
    }
}

} // namespace ScaleFrameFuzzTestLocal
