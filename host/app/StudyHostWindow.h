#pragma once
// The host's main window: a 1024 × 635 client area holding the module, and a
// menu that pushes host notices to it. Closing the window first lets the
// module finish (10003 → 10004).

#include <QMainWindow>

class TStudyHost;

class TStudyHostWindow : public QMainWindow
{
    Q_OBJECT
public:
    static constexpr int kClientWidth = 1024;
    static constexpr int kClientHeight = 635;

    explicit TStudyHostWindow(TStudyHost *host, QWidget *parent = nullptr);

    // The widget the module's frame lives in.
    QWidget *Client() const { return m_client; }
    // Adds the "声音" menu naming the output and input devices in use, with
    // two checks of them (a score comment from the UI archive; three seconds
    // recorded, then played back); empty names: the host plays and records
    // without devices.
    void ShowSoundDevices(const QString &output, const QString &input);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void BuildMenu();
    void Tell(const QString &text);

    TStudyHost *m_host;
    QWidget *m_client;
    bool m_closeDone = false;
};
