#include "teloran_windows.h"

#include "core/login.h"
#include "ui/import_list_window.h"
#include "ui/import_window.h"
#include "ui/main_window.h"

#include <QApplication>

using namespace Qt::StringLiterals;

TeloranWindows::TeloranWindows(const QString& mainIniFileName, const QString& executableFolder,
                               LastUser& lastUser)
    : m_main(std::make_unique<TdlAform1>(mainIniFileName, executableFolder, lastUser))
{
    m_beolv = new TdlBeolv(m_main->dm(), m_main->session(), m_main.get());
    m_beolvas = new TdlBeolvas(*m_beolv, m_main->session(), m_main.get());
    m_main->dispatcher().setAction(u"mpBeolvas"_s, [this] { m_beolvas->exec(); });
    m_main->setAutostartImport([this] { return autostartImport(); });
}

TeloranWindows::~TeloranWindows() = default;

bool TeloranWindows::autostartImport()
{
    m_beolv->VoltBeolvasas = false;
    m_beolv->Uzemmod = ImportMode::Auto;
    m_beolv->exec();
    return m_beolv->VoltBeolvasas;
}

int runTeloranWindows(const QString& mainIniFileName, const QString& executableFolder)
{
    LastUser lastUser;
    TeloranWindows windows(mainIniFileName, executableFolder, lastUser);
    TdlAform1& main = windows.dlAform1();
    // Closing the main window ends the program.
    QObject::connect(&main, &QDialog::finished, qApp, &QCoreApplication::quit);
    main.show();
    return QApplication::exec();
}
