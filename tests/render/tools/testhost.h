#pragma once

#include "lang/languagefile.h"
#include "lang/messagelist.h"
#include "render/host.h"

#include <QTemporaryDir>

#include <functional>

namespace vistarel::tooltest {

inline lang::MessageList toolTestMessages()
{
    lang::MessageList messages;
    messages.load(lang::LanguageFile::fromText(
        u"[FormMain]\nStr23=Media failed\nStr24=Cannot read:\nStr26=Check the file.\n"
        "Str37=Render failed\nStr38=See the log:\nStr40=Try again.\n"_qs));
    return messages;
}

// A console host over a fresh application-data folder, counting pumps; onPump runs at
// every pump (to cancel a run at a chosen moment, for instance).
class TestHost : public render::ConsoleHost
{
public:
    explicit TestHost(const QString& appDataDir) : ConsoleHost(appDataDir, sharedMessages())
    {
        printDialogs = false;
    }
    void pumpMessages() override
    {
        ++pumps;
        if (onPump)
            onPump();
    }
    int pumps = 0;
    std::function<void()> onPump;

private:
    static const lang::MessageList& sharedMessages()
    {
        static const lang::MessageList messages = toolTestMessages();
        return messages;
    }
};

// A TestHost whose application-data folder is a temporary folder of its own.
struct HostInTempDir
{
    QTemporaryDir appData;
    TestHost host{appData.path()};
};

} // namespace vistarel::tooltest
