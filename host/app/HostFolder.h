#pragma once
// The folder a host runs in.
//
// The module keeps every local file (packages, pictures, the result store,
// recordings, retry files, its log) below the folder of the running host
// executable, and its own start replaces any other main path by that
// folder. To give the module another main path, the host therefore runs
// from another folder: the folder is prepared as a host folder (the
// executable linked in, the plug-in libraries, the sample content and the
// UI archive linked, the configuration copied) and the host is started
// again from there.

#include <QString>
#include <QStringList>

// Makes `target` a folder the host can run from: `executable` hard-linked
// (copied where a link is impossible), every shared library of `source`
// and its "content" and "uiarchive" folders linked symbolically, and its
// "config" folder copied unless `target` has one already. Links left by an
// earlier preparation are replaced; the module's own files in `target`
// (data, pictures, results) are kept. Returns an error text, empty on
// success.
QString PrepareHostFolder(const QString &source, const QString &executable, const QString &target);

// The arguments for the host started in `folder`: `arguments` (without the
// program) less every "--main-path" and "--keep-main-path", plus
// "--main-path folder".
QStringList HostFolderArguments(const QStringList &arguments, const QString &folder);

// True when `folder` is the folder `ownFolder` (both resolved).
bool IsSameFolder(const QString &folder, const QString &ownFolder);

// Starts `program` (a host prepared in its folder) with `arguments`, its
// standard channels passed through, and waits for it. The started host ends
// when this process dies. Returns its exit code; 1 when it cannot be started
// or crashes.
int RunHostIn(const QString &program, const QStringList &arguments);
