// The scale's frames: weights cut out of the received characters, chunk by
// chunk, for each frame type of the port settings.
#include "app/kit/Formats.h"
#include "competition/ScaleFrame.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using ScaleFrame::Stability;
using ScaleFrame::Type;

// One chunk as the port delivers it, and the weights that become whole with it.
struct Chunk {
    std::string bytes;
    std::vector<double> weights;
};

struct FrameCase {
    const char* name;
    Type type;
    std::vector<Chunk> chunks;
    Stability lastStability = Stability::Unknown;
    std::string left;   // what waits in the buffer at the end: a frame begun
};

void PrintTo(const FrameCase& c, std::ostream* os)
{
    *os << c.name;
}

class Frames : public ::testing::TestWithParam<FrameCase> {};

TEST_P(Frames, GiveTheWeightsOfWholeFramesOnly)
{
    const FrameCase& c = GetParam();
    QByteArray buffer;
    ScaleFrame::Reading last;
    for (size_t i = 0; i < c.chunks.size(); ++i) {
        buffer.append(c.chunks[i].bytes.data(), qsizetype(c.chunks[i].bytes.size()));
        const QList<ScaleFrame::Reading> readings = ScaleFrame::take(buffer, c.type);
        std::vector<double> weights;
        for (const auto& r : readings)
            weights.push_back(r.kilograms);
        EXPECT_EQ(weights, c.chunks[i].weights) << "after chunk " << i + 1;
        if (!readings.isEmpty())
            last = readings.last();
    }
    EXPECT_EQ(last.stability, c.lastStability);
    EXPECT_EQ(buffer.toStdString(), c.left);
}

INSTANTIATE_TEST_SUITE_P(
    Stream, Frames,
    ::testing::Values(
        // Whole frames of each type: carriage return, the marks, the field.
        FrameCase{"Type1Stable", Type::Type1, {{"\r\nST0072.50 kg", {72.5}}}, Stability::Stable, ""},
        FrameCase{"Type2Stable", Type::Type2, {{"\r\nST,+0072.50kg", {72.5}}}, Stability::Stable, ""},
        FrameCase{"Type1Unstable", Type::Type1, {{"\r\nUS0072.40 kg", {72.4}}}, Stability::Unstable, ""},
        FrameCase{"Type2Unstable", Type::Type2, {{"\r\nUS,+0072.40kg", {72.4}}}, Stability::Unstable, ""},
        FrameCase{"MarksWithoutStability", Type::Type1, {{"\r  +0065.00", {65.0}}}, Stability::Unknown, ""},
        // The block of the settings screen's example: carriage return at
        // position 5, the field at 9 to 15 for type 1 and at 11 to 17 for
        // type 2.
        FrameCase{"Type1FieldAt9", Type::Type1, {{"abcd\r\nS 0072.5012 kg", {72.5}}}, Stability::Unknown, ""},
        FrameCase{"Type2FieldAt11", Type::Type2, {{"abcd\r\nS 0072.5012 kg", {7250.12}}}, Stability::Unknown, ""},
        // Only the digits count, the last two are the decimals.
        FrameCase{"OneDecimalDigit", Type::Type2, {{"\r\nST,+072.5  ", {7.25}}}, Stability::Stable, ""},
        FrameCase{"SignDropped", Type::Type2, {{"\r\nST,--065.40", {65.4}}}, Stability::Stable, ""},
        FrameCase{"NoDigits", Type::Type2, {{"\r\nST,+-------", {0.0}}}, Stability::Stable, ""},
        // A frame cut at a chunk's edge waits for the rest: 72.50 never
        // reads as 7.25 or 0.72.
        FrameCase{"SplitInField",
                  Type::Type2,
                  {{"\r\nST,+0072.5", {}}, {"0kg", {72.5}}},
                  Stability::Stable,
                  ""},
        FrameCase{"SplitEverywhere",
                  Type::Type1,
                  {{"\r", {}}, {"\nS", {}}, {"T00", {}}, {"81.2", {}}, {"0 kg\r\nST00", {81.2}}, {"81.30 kg", {81.3}}},
                  Stability::Stable,
                  ""},
        // Frames start wherever they start: the tail of the previous line
        // comes first, the next frame's beginning waits.
        FrameCase{"StartsMidBlock",
                  Type::Type2,
                  {{"0kg\r\nST,+0072.50kg\r\nST,+00", {72.5}}, {"81.20kg\r\n", {81.2}}},
                  Stability::Stable,
                  "\r\n"},
        FrameCase{"TwoFramesInOneChunk",
                  Type::Type2,
                  {{"\r\nUS,+0071.90kg\r\nST,+0072.00kg", {71.9, 72.0}}},
                  Stability::Stable,
                  ""},
        // Noise and frames cut short give no weight.
        FrameCase{"NoiseWithoutCarriageReturn", Type::Type2, {{"#@!noise 0072.50 kg", {}}}, Stability::Unknown, ""},
        FrameCase{"CutShortByTheNextFrame",
                  Type::Type2,
                  {{"\r\nST,+00\r\nST,+0072.50kg", {72.5}}},
                  Stability::Stable,
                  ""},
        FrameCase{"CutShortAcrossChunks",
                  Type::Type1,
                  {{"\r\nST007", {}}, {"\r\nST0064.10 kg", {64.1}}},
                  Stability::Stable,
                  ""},
        FrameCase{"TruncatedFrameWaits", Type::Type2, {{"\r\nST,+007", {}}}, Stability::Unknown, "\r\nST,+007"},
        // No frame type: blocks of 34 characters read as 0.
        FrameCase{"NoTypeBlocks",
                  Type::None,
                  {{std::string(33, 'x'), {}}, {"\r", {0.0}}, {"\r\nST,+0072.50kg", {}}},
                  Stability::Unknown,
                  "\r\nST,+0072.50kg"}),
    [](const auto& info) { return std::string(info.param.name); });

struct TypeCase {
    const char* registryType;
    Type type;
    int fieldOffset;
};

class Types : public ::testing::TestWithParam<TypeCase> {};

TEST_P(Types, ComeFromTheRegistryValue)
{
    EXPECT_EQ(ScaleFrame::typeOf(QString::fromUtf8(GetParam().registryType)), GetParam().type);
    EXPECT_EQ(ScaleFrame::fieldOffset(GetParam().type), GetParam().fieldOffset);
}

INSTANTIATE_TEST_SUITE_P(Setting, Types,
                         ::testing::Values(TypeCase{"1", Type::Type1, 4}, TypeCase{"2", Type::Type2, 6},
                                           TypeCase{"", Type::None, 0}, TypeCase{"3", Type::None, 0},
                                           TypeCase{" 1", Type::None, 0}, TypeCase{"TİP-1", Type::None, 0}));

TEST(ScaleFrameText, ShortestDecimalWithTheUsersSeparator)
{
    Formats::setDecimalSeparator(',');
    EXPECT_EQ(ScaleFrame::liveText(ScaleFrame::kilogramsOf("007250")), "72,5");
    EXPECT_EQ(ScaleFrame::liveText(ScaleFrame::kilogramsOf("0065001")), "650,01");
    EXPECT_EQ(ScaleFrame::liveText(ScaleFrame::kilogramsOf("006500")), "65");
    EXPECT_EQ(ScaleFrame::liveText(ScaleFrame::kilogramsOf("")), "0");
    Formats::setDecimalSeparator('.');
    EXPECT_EQ(ScaleFrame::liveText(ScaleFrame::kilogramsOf("006501")), "65.01");
}

} // namespace
