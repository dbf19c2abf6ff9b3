#pragma once
// The backup of the program's data: one dated ZIP ("Tassella-backup-AAAA-MM-GG-hhmm.zip") in a
// folder the user chose, holding every yearly slip archive, the payer archive, the settings and
// password files and the attachment folder. The archives are copied under their write locks, so no
// half-written record goes in; the ZIP is written under a temporary name, read back and compared
// file by file (CRC and size), and only then takes its final name. The oldest backups beyond the
// number to keep are removed afterwards.

#include "backup/ZipFile.h"
#include "data/Message.h"

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

namespace Backup {

inline constexpr int kDefaultKeep = 10;
inline const QString kAttachments = QStringLiteral("Documenti_Allegati");
inline const QString kPayers = QStringLiteral("Esecutori.pro");
inline const QString kSettings = QStringLiteral("Tassella.ini");
inline const QString kPassword = QStringLiteral("unins000.dll");

// The settings, in the section "Backup" of the settings file: the folder ("Cartella"), how many
// backups to keep ("Copie") and the day a backup was last offered at closing ("UltimaProposta").
QString folder();
bool setFolder(const QString& folder);
int keep();
bool setKeep(int count);
QDate lastOffered();
bool setLastOffered(const QDate& day);
// The backup folder and the number kept, written from one settings file into another when the first
// has a folder set: a restore keeps this installation's choice, not the backup's.
bool carrySettings(const QString& fromSettingsFile, const QString& toSettingsFile);
// Whether closing the program should offer a backup today: a folder is set and no offer was made today.
bool offerDue(const QDate& today);
// The question asked at closing: Yes writes a backup into the folder set.
Message offerQuestion();

// "Tassella-backup-AAAA-MM-GG-hhmm.zip" for the moment; the moment a backup's name tells (invalid
// for any other name).
QString fileName(const QDateTime& moment);
QDateTime momentOf(const QString& fileName);

// Whether name is one of the data files a backup holds (a yearly archive "AAAA.bol", the payer
// archive, the settings and password files), or lies in the attachment folder.
bool isYearArchive(const QString& name);
bool isDataName(const QString& name);

// What the program folder holds to be saved: the data files found there, the attachment folder
// with every file and folder in it (a folder as its name and "/").
QList<ZipFile::Member> members(const QString& programFolder);

struct Result {
    bool ok = false;
    QString path;      // the backup written
    QStringList years; // the yearly archives saved
    int attachments = 0;
    QStringList removed; // older backups removed to keep the number
    Message message;
};

// Writes the backup of programFolder into target, named after moment: under the archives' locks,
// through a temporary name, verified, renamed; then the oldest backups beyond keep are removed.
Result create(const QString& programFolder, const QString& target, const QDateTime& moment, int keep);

// The temporary name a backup is written under before it is verified and renamed: the final name
// with this computer's name and this program's process number, so that two programs backing up into
// one shared folder in the same minute never write into the same file.
QString partName(const QString& finalPath);

// Checks a written ZIP against the files it was made from: every member's stored CRC and size and
// the CRC and size of what it decompresses to equal those of its file. An empty text when equal.
QString verify(const QString& zipPath, const QList<ZipFile::Member>& members);

// Removes the oldest backups in folder so that keep remain; the names removed.
QStringList prune(const QString& folder, int keep);

} // namespace Backup
