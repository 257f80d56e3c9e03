// Downloads of the package store: the address reply 14 acted on by what the
// pending address was asked for (NowLoadType), the package download with its
// transfer window, the quiet downloads of shelf pictures and of a teaching
// material's audio and picture, and opening a freshly downloaded package.

#include "StudyFrame.h"

#include "PackageOpen.h"
#include "PackageStore.h"

#include "HttpTransfer.h"
#include "Log.h"
#include "PackBook.h"
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
    const QString target = SafeTarget(FMainPath, PackageStore::kPackageFolder, sURL, QStringLiteral("DownLoadBookPackage"));
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
        procSaveLog(QStringLiteral("error:DownLoadBookPackage: ") % sURL % QStringLiteral(": ") % transfer->ErrorText());
    delete transfer.data();
    return ok;
}

bool TStudyFrame::DownloadBookPicture(const QString &sURL, const QString &)
{
    const QString target = SafeTarget(FMainPath, PackageStore::kBookPictureFolder, sURL, QStringLiteral("DownloadBookPicture"));
    if (target.isEmpty()) {
        ShowInfo(PackageStore::RefusedAddressText(sURL));
        return false;
    }
    return QuietDownload(this, sURL, target, QStringLiteral("DownloadBookPicture"));
}

bool TStudyFrame::DownLoadMaterialVoice(const QString &sURL, const QString &)
{
    const QString target = SafeTarget(FMainPath, PackageStore::kMaterialFolder, sURL, QStringLiteral("DownLoadMaterialVoice"));
    return !target.isEmpty() && QuietDownload(this, sURL, target, QStringLiteral("DownLoadMaterialVoice"));
}

bool TStudyFrame::DownLoadMaterialContentPic(const QString &sURL, const QString &)
{
    const QString target = SafeTarget(FMainPath, PackageStore::kMaterialFolder, sURL, QStringLiteral("DownLoadMaterialContentPic"));
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
    case LTLessonPackage: {
        if (!curSelectBook) {
            procSaveLog(QStringLiteral("info：ActOnDownloadAddress: no book is being opened, package not downloaded: ") % key);
            break;
        }
        // The package's address was asked for with the book's own address
        // as key. A reply with another key answers an earlier request (a
        // shelf picture asked for just before the book was opened) and must
        // not be downloaded as the package; the package's own reply follows.
        if (key != curSelectBook->Url()) {
            procSaveLog(QStringLiteral("info：ActOnDownloadAddress: address of ") % key
                        % QStringLiteral(" arrived while the package of ") % curSelectBook->Url()
                        % QStringLiteral(" is awaited; ignored"));
            break;
        }
        const bool lessonBook = NowLoadType == LTLessonPackage;
        const QString name = curSelectBook->GoodsName();
        const QString packageFile = PackageStore::PackageFile(FMainPath, curSelectBook->Url());
        if (packageFile.isEmpty() || !DownLoadBookPackage(url, key, name)) {
            ShowInfo(PackageStore::DownloadFailedText(name));
            break;
        }
        // The package is looked for under the name of the book's own
        // address; keep it there even when the download address names
        // the file differently.
        const QString downloaded = PackageStore::DownloadTarget(FMainPath, PackageStore::kPackageFolder, url);
        if (downloaded != packageFile) {
            QFile::remove(packageFile);
            if (!QFile::rename(downloaded, packageFile))
                procSaveLog(QStringLiteral("error:ActOnDownloadAddress: cannot move ") % downloaded
                            % QStringLiteral(" to ") % packageFile);
        }
        PackBook.reset();
        PackBook = std::make_unique<TeduPack_Book>();
        PackBook->SetMainPath(FMainPath);
        if (!PackBook->funcDecodeResourceFile(packageFile)) {
            procSaveLog(QStringLiteral("error:ActOnDownloadAddress: ") % packageFile % QStringLiteral(": ")
                        % PackBook->DecodeError());
            ShowInfo(PackageStore::DownloadFailedText(name));
            // A downloaded lesson package that cannot be decoded is of no
            // use; a word package stays for the word study to report on.
            if (lessonBook && !QFile::remove(packageFile))
                procSaveLog(QStringLiteral("error:ActOnDownloadAddress: cannot delete ") % packageFile);
            break;
        }
        ShowBookPage(*this);
        break;
    }
    case LTMaterialVoic:
        if (!DownLoadMaterialVoice(url, key)) {
            const QString name = curSelectMaterialsIndex >= 0 && curSelectMaterialsIndex < Materials.size()
                ? Materials.at(curSelectMaterialsIndex)->GoodsName()
                : MaterialVoiceName;
            ShowInfo(PackageStore::DownloadFailedText(name));
        }
        break;
    case LTMaterialContentPic:
        iDownloadSuccess = DownLoadMaterialContentPic(url, key) ? 1 : 0;
        break;
    case LTShareGoodVoice:
        break;
    }
}
