#pragma once
// Opening a file in a new window: another process of the program, started with "-F2" and
// the file, as the New Window command starts one. Tests replace it and count the windows.
#include <QString>

namespace scrivane::app {

class WindowLauncher {
public:
    virtual ~WindowLauncher() = default;
    virtual void OpenInNewWindow(const QString& file) = 0;
};

class ProcessWindowLauncher : public WindowLauncher {
public:
    void OpenInNewWindow(const QString& file) override;
};

}  // namespace scrivane::app
