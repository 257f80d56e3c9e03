// Downloads of the package store: the address reply acDownloadUrl acted on by what the
// pending address was asked for (NowLoadType), the package download with its
// transfer window, the quiet downloads of shelf pictures and of a teaching
// material's audio and picture, and opening a freshly downloaded package.

#include "StudyFrame.h"

#include "PackageOpen.h"
#include "PackageStore.h"

#include "HttpTransfer.h"
#include "Log.h"
#include "TBookIconFrame.h"
#include "TTabControl.h"

#include <QFile>
#include <QPointer>

namespace {

// The target of a download, or empty (with a log line) for an address that
// has no usable file name: such an address is never downloaded, so nothing
// can be written outside the working folder or over the folder itself.
QString SafeTarget(const QString &mainPath, const char *folder, const QString &address, const QString &member)
{
    const QString target = PackageStore::DownloadTarget(mainPath, folder, address);
    if (target.isEmpty())
        procSaveLog(QStringLiteral("error:") % member % QStringLiteral(": refused address without a usable file name, ")
                    % QStringLiteral("nothing downloaded: ") % address);
    return target;
}

// One download without a window into `target`.
bool QuietDownload(QWidget *owner, const QString &address, const QString &target, const QString &member)
{
    QPointer<THttpTransfer> transfer = new THttpTransfer(owner);
    transfer->SetDownloadURL(address);
    transfer->SetSaveFile(target);
    const bool ok = transfer->DownloadingQuiet();
    if (!transfer) // its owner went during the transfer
        return false;
    if (!ok)
        procSaveLog(QStringLiteral("error:") % member % QStringLiteral(": ") % address % QStringLiteral(": ")
                    % transfer->ErrorText());
    delete transfer.data();
    return ok;
}

} // namespace

void ShowBookPage(TStudyFrame &frame)
{
    if (frame.TabControl_Home->TabIndex() == pgBook)
        frame.TabControl_HomeChange(); // the page shows the newly opened book
    else
        frame.TabControl_Home->SetTabIndex(pgBook);
}

bool TStudyFrame::DownLoadBookPackage(const QString &sURL, const QString &, const QString &sDescription)
{
    const QString target =
        SafeTarget(FMainPath, PackageStore::kPackageFolder, sURL, QStringLiteral("DownLoadBookPackage"));
    if (target.isEmpty())
        return false;
    QPointer<THttpTransfer> transfer = new THttpTransfer(this);
    transfer->SetDoSomething(FDoJobs);
    transfer->SetDownloadURL(sURL);
    transfer->SetSaveFile(target);
    transfer->SetDescription(sDescription);
    const bool ok = transfer->ShowModal();
    if (!transfer)
        return false;
    if (!ok)
        procSaveLog(QStringLiteral("error:DownLoadBookPackage: ") % sURL % QStringLiteral(": ")
                    % transfer->ErrorText());
    delete transfer.data();
    return ok;
}

bool TStudyFrame::DownloadBookPicture(const QString &sURL, const QString &)
{
    // A refused picture address is only logged (by SafeTarget): the tile
    // keeps its default picture, and a message per tile would bury the shelf.
    const QString target =
        SafeTarget(FMainPath, PackageStore::kBookPictureFolder, sURL, QStringLiteral("DownloadBookPicture"));
    return !target.isEmpty() && QuietDownload(this, sURL, target, QStringLiteral("DownloadBookPicture"));
}

bool TStudyFrame::DownLoadMaterialVoice(const QString &sURL, const QString &)
{
    const QString target =
        SafeTarget(FMainPath, PackageStore::kMaterialFolder, sURL, QStringLiteral("DownLoadMaterialVoice"));
    return !target.isEmpty() && QuietDownload(this, sURL, target, QStringLiteral("DownLoadMaterialVoice"));
}

bool TStudyFrame::DownLoadMaterialContentPic(const QString &sURL, const QString &)
{
    const QString target =
        SafeTarget(FMainPath, PackageStore::kMaterialFolder, sURL, QStringLiteral("DownLoadMaterialContentPic"));
    if (target.isEmpty()) {
        ShowInfo(PackageStore::RefusedAddressText(sURL));
        return false;
    }
    return QuietDownload(this, sURL, target, QStringLiteral("DownLoadMaterialContentPic"));
}

void TStudyFrame::ActOnDownloadAddress(const QString &url, const QString &key)
{
    switch (NowLoadType) {
    case LTRecommPic:
    case LTMaterialsPic:
    case LTMyCoursePic:
    case LTMyCourse_OutsidePic:
    case LTMyCourse_Usually:
        // Opening something ends the shelf's picture chains.
        if (!bStopDownloadBookPicture)
            ContinuePictureChain(url, key);
        break;
    case LTWordPackage:
    case LTLessonPackage: ActOnPackageAddress(url, key); break;
    case LTMaterialVoic:
        if (!DownLoadMaterialVoice(url, key)) {
            const QString name = curSelectMaterialsIndex >= 0 && curSelectMaterialsIndex < Materials.size()
                                     ? Materials.at(curSelectMaterialsIndex)->GoodsName()
                                     : MaterialVoiceName;
            ShowInfo(PackageStore::DownloadFailedText(name));
        }
        break;
    case LTMaterialContentPic: iDownloadSuccess = DownLoadMaterialContentPic(url, key) ? 1 : 0; break;
    case LTShareGoodVoice: break;
    }
}

void TStudyFrame::ActOnPackageAddress(const QString &url, const QString &key)
{
    using namespace PackageStore;
    if (PendingPackageKey.isEmpty()) {
        procSaveLog(QStringLiteral("info：ActOnDownloadAddress: no package is awaited, address not downloaded: ")
                    % key);
        return;
    }
    const QString name = PendingPackageTitle;
    // The package's address was asked for with its own address as key; a
    // reply without a key is taken as the answer. The address of a shelf
    // picture asked for just before the course was opened answers that
    // earlier request: the package's own reply follows.
    if (!key.isEmpty() && !SamePackageKey(key, PendingPackageKey)) {
        if (IsShelfPictureKey(key)) {
            procSaveLog(QStringLiteral("info：ActOnDownloadAddress: address of the picture ") % key
                        % QStringLiteral(" arrived while the package of ") % PendingPackageKey
                        % QStringLiteral(" is awaited; ignored"));
            return;
        }
        procSaveLog(QStringLiteral("error:ActOnDownloadAddress: the address reply names ") % key
                    % QStringLiteral(", not the awaited package ") % PendingPackageKey
                    % QStringLiteral("; nothing downloaded"));
        PendingPackageKey.clear();
        ShowInfo(DownloadFailedText(name));
        return;
    }
    const QString packageKey = PendingPackageKey;
    PendingPackageKey.clear();
    const bool lessonBook = NowLoadType == LTLessonPackage;
    const QString packageFile = PackageFile(FMainPath, packageKey);
    if (packageFile.isEmpty() || !DownLoadBookPackage(url, key, name)) {
        ShowInfo(DownloadFailedText(name));
        return;
    }
    // The package is looked for under the name of its own address; keep it
    // there even when the download address names the file differently.
    const QString downloaded = DownloadTarget(FMainPath, kPackageFolder, url);
    if (downloaded != packageFile) {
        QFile::remove(packageFile);
        if (!QFile::rename(downloaded, packageFile))
            procSaveLog(QStringLiteral("error:ActOnDownloadAddress: cannot move ") % downloaded % QStringLiteral(" to ")
                        % packageFile);
    }
    if (OpenDecodedBook(packageFile, QStringLiteral("ActOnDownloadAddress")) != TBookOpenEnd::Failed)
        return;
    ShowInfo(DownloadFailedText(name));
    // A downloaded lesson package that cannot be decoded is of no use; a word
    // package stays for the word study to report on.
    if (lessonBook && !QFile::remove(packageFile))
        procSaveLog(QStringLiteral("error:ActOnDownloadAddress: cannot delete ") % packageFile);
}
