#pragma once

#include "render/host.h"

namespace vistarel::app {

class TFormMain;

// The render engine's host in the program: dialogs go through the window, pending
// events are processed while the engine works, and finished videos open with the
// desktop's default player. Progress goes to the progress page's ring; the log stays in
// MemoLog (never shown).
class WindowHost : public render::Host
{
public:
    WindowHost(TFormMain& form, const QString& appDataDir, const lang::MessageList& messages);

    void pumpMessages() override;
    render::DialogResult taskDialog(const lang::TaskDialogText& text) override;
    void messageBox(const QString& text) override;
    void openFile(const QString& path) override;

protected:
    void progressChanged(int percent) override;

private:
    TFormMain& m_form;
};

} // namespace vistarel::app
