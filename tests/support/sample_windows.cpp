#include "support/sample_windows.h"

SampleWindow Stereo16Window(std::span<const std::uint32_t> frames)
{
    SampleWindow window;
    window.sampleKind = 1;
    window.stereo16 = frames;
    return window;
}

SampleWindow Mono16Window(std::span<const std::int16_t> samples)
{
    SampleWindow window;
    window.sampleKind = 2;
    window.mono16 = samples;
    return window;
}

void WindowSamples::Append(int left, int right)
{
    switch (kind_) {
    case 1:
        stereo16_.push_back(static_cast<std::uint16_t>(left) |
                            static_cast<std::uint32_t>(static_cast<std::uint16_t>(right)) << 16);
        break;
    case 2:
        mono16_.push_back(static_cast<std::int16_t>(left));
        break;
    case 3:
        stereo8_.push_back(static_cast<std::uint16_t>((left & 0xFF) | (right & 0xFF) << 8));
        break;
    case 4:
        mono8_.push_back(static_cast<std::uint8_t>(left));
        break;
    default:
        break;
    }
}

SampleWindow WindowSamples::View() const
{
    return SampleWindow{kind_, stereo16_, mono16_, stereo8_, mono8_};
}
