// The RegAcc module's exported functions, in the form the association tool calls them:
// zero-terminated UTF-8 strings and 32-bit integers by value, a 32-bit result.

#include "regacc/reg_acc.h"

#include "regacc/associations.h"

#include <cstdint>

namespace {

QString Text(const char *value)
{
    return value ? QString::fromUtf8(value) : QString();
}

} // namespace

std::int32_t Specify(const char *extension, const char *description, const char *verbCaption,
                     const char *commandSuffix, const char *programPath, const char *iconFile,
                     std::int32_t iconIndex, std::int32_t /*mode: always one*/)
{
    SpecifyRequest request;
    request.extension = Text(extension);
    request.description = Text(description);
    request.verbCaption = Text(verbCaption);
    request.commandSuffix = Text(commandSuffix);
    request.programPath = Text(programPath);
    request.iconFile = Text(iconFile);
    request.iconIndex = iconIndex;
    return static_cast<std::int32_t>(SpecifyAssociation(request));
}

std::int32_t UnSpecify(const char *extension, const char * /*verbCaption*/,
                       const char * /*programPath*/, const char * /*unused*/,
                       std::int32_t /*iconIndex*/)
{
    return static_cast<std::int32_t>(UnSpecifyAssociation(Text(extension)));
}
