#pragma once

#include <QMap>
#include <QString>

#include <cstdint>
#include <optional>

// Roots of the key/value store, numbered as the registry numbers its root keys.
namespace KeyRoot {
constexpr std::uint32_t ClassesRoot = 0x80000000;
constexpr std::uint32_t CurrentUser = 0x80000001;
constexpr std::uint32_t LocalMachine = 0x80000002;
} // namespace KeyRoot

// One stored value: a text, a 32-bit number, or data of another kind.
struct KeyValue
{
    enum class Kind { String, Number, Other };
    Kind kind = Kind::String;
    QString text;
    std::uint32_t number = 0;
};

// A small key/value store in the registry's shape: keys are paths separated by "\" under a
// root, each key holds named values.
class KeyValues
{
public:
    virtual ~KeyValues() = default;
    // The value, or nothing when the key or the value is absent.
    virtual std::optional<KeyValue> Read(std::uint32_t root, const QString &key,
                                         const QString &name) const = 0;
};

// The store kept in ini files, one per root. A value written "dword:0000002a" is a number,
// one written "hex:..." is data of another kind, anything else a text.
class IniKeyValues : public KeyValues
{
public:
    explicit IniKeyValues(QMap<std::uint32_t, QString> files);
    // The local machine's values system-wide, the current user's in the user's settings.
    static QMap<std::uint32_t, QString> DefaultFiles();

    std::optional<KeyValue> Read(std::uint32_t root, const QString &key,
                                 const QString &name) const override;

private:
    QMap<std::uint32_t, QString> files_;
};
