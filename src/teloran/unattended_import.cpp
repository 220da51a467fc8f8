#include "unattended_import.h"

#include "core/data_module.h"
#include "core/import_run.h"
#include "core/startup.h"
#include "core/users.h"

using namespace Qt::StringLiterals;

namespace {

class QuietStatus : public ImportStatus {
public:
    void show(const QString&) override {}
};

QString oneLine(QString text)
{
    return text.replace(u';', u' ').simplified();
}

// The identifier of the user the run is recorded under: USR001 without a name.
std::expected<QString, QString> userIdentifier(Tdm1& dm, const QString& userName)
{
    if (userName.isEmpty())
        return u"USR001"_s;
    UserTable users(dm);
    const auto found = users.findByName(userName);
    if (!found)
        return std::unexpected(found.error());
    if (!*found)
        return std::unexpected(u"Nincs ilyen felhasználó: "_s + userName);
    return (*found)->azon;
}

} // namespace

int runUnattendedImport(const QString& mainIniFileName, const QString& userName,
                        const QString& executableFolder, QTextStream& out, QTextStream& err)
{
    TeloranSession session(mainIniFileName);
    Tdm1 dm(session.mainIni(), session.baseDirectory());
    if (!dm.prepareDataConnection() || !session.setUpCegParameterek(executableFolder))
        return 2;
    const auto user = userIdentifier(dm, userName);
    if (!user) {
        err << oneLine(user.error()) << Qt::endl;
        return 2;
    }
    ImportSettings settings = ImportSettings::from(*session.CegParameterek());
    settings.askFirst = false;
    QuietStatus status;
    Importer importer(dm, settings, *user, status);
    if (!importer.Feltolt()) {
        out << u"Nincs beolvasásra váró fájl ("_s << settings.folder << settings.mask << u")."_s << Qt::endl;
        return 0;
    }
    importer.Beolvas(ImportMode::Auto);
    qint64 calls = 0;
    int failed = 0;
    for (const FileOutcome& file : importer.outcomes()) {
        if (file.read) {
            out << file.name << u": "_s << file.lines << u" sor, "_s << file.stored << u" hívás beolvasva"_s
                << Qt::endl;
            calls += file.stored;
        } else {
            out << file.name << u": HIBA, nem került be: "_s << oneLine(file.error) << Qt::endl;
            ++failed;
        }
    }
    out << u"Összesen: "_s << importer.outcomes().size() << u" fájl, "_s << calls << u" hívás beolvasva"_s
        << (failed ? u", "_s + QString::number(failed) + u" fájl hibás"_s : QString()) << u"."_s << Qt::endl;
    return failed ? 1 : 0;
}
