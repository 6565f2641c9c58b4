#include "support/fake_media_engine.h"

#include <algorithm>

// The script and the bookkeeping that a factory and its engines share; it lives as long as
// the longest-lived of them.
struct FakeMediaShared
{
    QHash<QString, FakeMedium> media;
    FakeMediaEngine *last = nullptr;
    int created = 0;
    int released = 0;
    QList<QPair<int, FakeCall>> log;
    std::function<void()> whileRendering;
    bool joining = false;
};

namespace {

QString ArgText(const QVariant &arg)
{
    if (arg.isNull()) {
        return QStringLiteral("null");
    }
    if (arg.typeId() == QMetaType::QRect) {
        const QRect rect = arg.toRect();
        return QStringLiteral("%1 %2 %3 %4")
            .arg(rect.left())
            .arg(rect.top())
            .arg(rect.width())
            .arg(rect.height());
    }
    if (arg.typeId() == QMetaType::Bool) {
        return arg.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    }
    return arg.toString();
}

} // namespace

QString FakeCall::Text() const
{
    QStringList parts;
    for (const QVariant &arg : args) {
        parts.append(ArgText(arg));
    }
    return name + QLatin1Char('(') + parts.join(QStringLiteral(", ")) + QLatin1Char(')');
}

FakeMediaEngine::FakeMediaEngine(std::shared_ptr<FakeMediaShared> shared)
    : shared(std::move(shared))
{
    number = ++this->shared->created;
}

FakeMediaEngine::~FakeMediaEngine()
{
    ++shared->released;
    if (shared->last == this) {
        shared->last = nullptr;
    }
}

void FakeMediaEngine::Record(const QString &name, const QVariantList &args) const
{
    shared->log.append({number, FakeCall{name, args}});
}

bool FakeMediaEngine::RenderFile(const QString &path)
{
    if (shared->whileRendering) {
        shared->whileRendering();
    }
    Record(QStringLiteral("RenderFile"), {path});
    const auto found = shared->media.constFind(path);
    if (found == shared->media.constEnd()) {
        return false;
    }
    medium = *found;
    rendered = true;
    return true;
}

bool FakeMediaEngine::Run()
{
    Record(QStringLiteral("Run"));
    if (!rendered) {
        return false;
    }
    state = State::Running;
    return true;
}

bool FakeMediaEngine::Pause()
{
    Record(QStringLiteral("Pause"));
    if (!rendered) {
        return false;
    }
    state = State::Paused;
    return true;
}

bool FakeMediaEngine::Stop()
{
    Record(QStringLiteral("Stop"));
    if (!rendered) {
        return false;
    }
    state = State::Stopped;
    return true;
}

std::optional<double> FakeMediaEngine::Duration() const
{
    Record(QStringLiteral("Duration"));
    if (!rendered) {
        return std::nullopt;
    }
    return medium.duration;
}

std::optional<double> FakeMediaEngine::CurrentPosition() const
{
    Record(QStringLiteral("CurrentPosition"));
    if (!rendered) {
        return std::nullopt;
    }
    return position;
}

bool FakeMediaEngine::SetCurrentPosition(double seconds)
{
    Record(QStringLiteral("SetCurrentPosition"), {seconds});
    if (!rendered) {
        return false;
    }
    position = std::clamp(seconds, 0.0, medium.duration);
    return true;
}

bool FakeMediaEngine::SetRate(double rate)
{
    Record(QStringLiteral("SetRate"), {rate});
    if (!rendered || medium.refusedRates.contains(rate)) {
        return false;
    }
    this->rate = rate;
    return true;
}

std::optional<QSize> FakeMediaEngine::VideoSize() const
{
    Record(QStringLiteral("VideoSize"));
    if (!rendered) {
        return std::nullopt;
    }
    return medium.videoSize;
}

std::optional<double> FakeMediaEngine::AvgTimePerFrame() const
{
    Record(QStringLiteral("AvgTimePerFrame"));
    if (!rendered) {
        return std::nullopt;
    }
    return medium.frameSeconds;
}

bool FakeMediaEngine::HasVideoWindow() const
{
    Record(QStringLiteral("HasVideoWindow"));
    return rendered && medium.videoSize.has_value();
}

bool FakeMediaEngine::SetVideoOwner(QWidget *owner)
{
    Record(QStringLiteral("SetVideoOwner"),
           {owner == nullptr ? QVariant() : QVariant(owner->objectName())});
    if (!rendered || !medium.videoSize) {
        return false;
    }
    this->owner = owner;
    if (owner == nullptr) {
        fullScreen = false;
    }
    return true;
}

bool FakeMediaEngine::SetVideoRect(const QRect &rect)
{
    Record(QStringLiteral("SetVideoRect"), {rect});
    if (!rendered || !medium.videoSize) {
        return false;
    }
    videoRect = rect;
    return true;
}

std::optional<QRect> FakeMediaEngine::VideoRect() const
{
    Record(QStringLiteral("VideoRect"));
    if (!rendered || !medium.videoSize) {
        return std::nullopt;
    }
    return videoRect;
}

std::optional<bool> FakeMediaEngine::FullScreenMode() const
{
    Record(QStringLiteral("FullScreenMode"));
    if (!rendered || !medium.videoSize) {
        return std::nullopt;
    }
    return fullScreen;
}

bool FakeMediaEngine::SetFullScreenMode(bool on)
{
    Record(QStringLiteral("SetFullScreenMode"), {on});
    if (!rendered || !medium.videoSize) {
        return false;
    }
    fullScreen = on;
    return true;
}

FakeMediaEngines::FakeMediaEngines() : shared(std::make_shared<FakeMediaShared>()) {}

void FakeMediaEngines::AddMedium(const QString &path, const FakeMedium &medium)
{
    shared->media.insert(path, medium);
}

void FakeMediaEngines::WhileRendering(std::function<void()> hook)
{
    shared->whileRendering = std::move(hook);
}

void FakeMediaEngines::SetJoining(bool on)
{
    shared->joining = on;
}

bool FakeMediaEngine::QueueNext(const QString &path)
{
    if (!shared->joining)
        return false;
    queued = path;
    return true;
}

void FakeMediaEngine::CancelNext()
{
    if (!handedOver)
        queued.clear();
}

void FakeMediaEngine::SetJoinedHandler(std::function<void()> handler)
{
    joined = std::move(handler);
}

void FakeMediaEngine::HandOver()
{
    Record(QStringLiteral("HandOver"), {queued});
    handedOver = true;
}

void FakeMediaEngine::Join()
{
    handedOver = false;
    medium = shared->media.value(queued);
    queued.clear();
    position = 0.0;
    rate = 1.0;
    if (joined)
        joined();
}

MediaEngineFactory FakeMediaEngines::Factory()
{
    return [shared = shared](const QString &) -> std::unique_ptr<MediaEngine> {
        auto engine = std::make_unique<FakeMediaEngine>(shared);
        shared->last = engine.get();
        return engine;
    };
}

FakeMediaEngine *FakeMediaEngines::Last() const
{
    return shared->last;
}

int FakeMediaEngines::Created() const
{
    return shared->created;
}

int FakeMediaEngines::Released() const
{
    return shared->released;
}

QStringList FakeMediaEngines::Log(const QStringList &skip) const
{
    QStringList texts;
    for (const auto &[engine, call] : shared->log) {
        if (!skip.contains(call.name)) {
            texts.append(QString::number(engine) + QLatin1Char(':') + call.Text());
        }
    }
    return texts;
}

void FakeMediaEngines::ClearLog()
{
    shared->log.clear();
}

bool FakeMediaEngine::SetVolume(double fraction)
{
    volume = fraction;
    return true;
}

bool FakeMediaEngine::SetMuted(bool on)
{
    muted = on;
    return true;
}
