#pragma once

#include "lang/messagelist.h"

#include <QString>
#include <QStringList>
#include <QTextStream>

namespace vistarel::cli {

// Exit codes of vistarel-cli.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitCancelled = 130;

// What every command gets: its arguments (after the command name), the messages of the
// user's language, and the two output streams.
struct CliContext
{
    QStringList args;
    lang::MessageList messages;
    QTextStream& out;
    QTextStream& err;
};

// Loads the messages of the language the settings (or the system) name, from the
// language files beside the executable.
lang::MessageList loadUserMessages();

// Simple option scanning: removes "--name" from args and tells whether it was there.
bool takeFlag(QStringList& args, const QString& name);
// Removes "--name VALUE" (or "--name=VALUE"); returns VALUE, or nullopt. Sets
// missingValue when the option is last without a value.
std::optional<QString> takeOption(QStringList& args, const QString& name, bool& missingValue);

} // namespace vistarel::cli
