#include "analyzer/sample_buffers.h"

namespace {

template <typename T> void Free(std::vector<T> &v)
{
    std::vector<T>().swap(v);
}

} // namespace

SampleWindow SampleBuffers::View(int kind) const
{
    SampleWindow view;
    view.sampleKind = static_cast<std::uint8_t>(kind >= 0 && kind <= 4 ? kind : 0);
    view.stereo16 = stereo16;
    view.mono16 = mono16;
    view.stereo8 = stereo8;
    view.mono8 = mono8;
    return view;
}

void SampleBuffers::Resize(int kind, std::size_t frames)
{
    switch (kind) {
    case 1:
        stereo16.resize(frames, 0);
        break;
    case 2:
        mono16.resize(frames, 0);
        break;
    case 3:
        stereo8.resize(frames, 0x8080);
        break;
    case 4:
        mono8.resize(frames, 128);
        break;
    default:
        break;
    }
}

void SampleBuffers::FillSilence(int kind, std::size_t frames)
{
    switch (kind) {
    case 1:
        stereo16.assign(frames, 0);
        break;
    case 2:
        mono16.assign(frames, 0);
        break;
    case 3:
        stereo8.assign(frames, 0x8080);
        break;
    case 4:
        mono8.assign(frames, 128);
        break;
    default:
        break;
    }
}

void SampleBuffers::Release()
{
    Free(stereo16);
    Free(mono16);
    Free(stereo8);
    Free(mono8);
}

void *SampleBuffers::Data(int kind)
{
    switch (kind) {
    case 1:
        return stereo16.data();
    case 2:
        return mono16.data();
    case 3:
        return stereo8.data();
    case 4:
        return mono8.data();
    default:
        return nullptr;
    }
}
