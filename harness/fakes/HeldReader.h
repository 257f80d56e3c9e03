#pragma once
// A stand-in for the package reader program ("7zz") that holds every run
// until released, so that a test can act while the module is inside the
// wait of a package check or decode. Install() puts it first on PATH (the
// module looks the reader up there at each run); the destructor restores
// PATH and releases whatever still waits.

#include <QString>
#include <QTemporaryDir>

class HeldReader
{
public:
    HeldReader() = default;
    ~HeldReader();
    HeldReader(const HeldReader &) = delete;
    HeldReader &operator=(const HeldReader &) = delete;

    // False when the real reader is missing or the stand-in cannot be written.
    bool Install();
    // A run has started (and is being held, unless released).
    bool Started() const;
    // Lets every held and later run go on to the real reader.
    void Release();
    bool Released() const { return m_released; }

private:
    QTemporaryDir m_dir;
    QByteArray m_path;
    bool m_installed = false;
    bool m_released = false;
};
