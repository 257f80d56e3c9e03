#pragma once
// Qt's own texts in the host's language: the interface is Chinese, so the
// standard buttons of message boxes ("Yes", "No", "OK") and Qt's other
// built-in texts are taken from Qt's Chinese translation files.

class QCoreApplication;
class QTranslator;

// Installs Qt's Chinese (zh_CN) translations of its own texts into `app`
// (which owns the translator), from Qt's translations folder, whatever the
// system's language. Null when the files are not installed (the texts then
// stay in English).
QTranslator *InstallQtChineseTranslations(QCoreApplication &app);
