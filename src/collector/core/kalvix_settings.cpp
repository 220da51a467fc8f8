#include "core/kalvix_settings.h"

#include "core/ini_file.h"
#include "core/pbx_type.h"

using namespace Qt::StringLiterals;

namespace {

void keepFirstError(StartupState& state, const FileResult& result)
{
    if (!result && state.writeError.isEmpty())
        state.writeError = result.error();
}

// The type code an older version's list index stands for.
std::optional<QString> kindOfOldType(qint64 index)
{
    const QStringList texts = pbxTypeListTexts();
    if (index < 0 || index >= texts.size())
        return std::nullopt;
    return texts[index].left(8);
}

} // namespace

StartupState readStartup(IniFile& ini)
{
    StartupState state;
    const qint64 oldType = ini.readInteger(kSectionOther, kKeyOldType, 0);
    state.storedRun = int(ini.readInteger(kSectionOther, kKeyRun, kRunNotSet));
    state.kind = ini.readString(kSectionOther, kKeyKind);
    state.firstStartMessageDue = ini.readBool(kSectionOther, kKeyFirstStartMessage, true);

    if (ini.valueExists(kSectionOther, kKeyOldType) && oldType != kOldTypeMigrated) {
        if (const auto kind = kindOfOldType(oldType)) {
            state.kind = *kind;
            state.migrated = true;
            keepFirstError(state, ini.writeString(kSectionOther, kKeyKind, state.kind));
        }
    }
    // The converted key is removed, so the conversion is done once.
    if (ini.valueExists(kSectionOther, kKeyOldType))
        keepFirstError(state, ini.deleteKey(kSectionOther, kKeyOldType));

    state.runSwitch = state.kind.isEmpty() ? 0 : state.storedRun;
    return state;
}

AfterCreatePlan afterCreatePlan(const StartupState& state, bool receiving)
{
    AfterCreatePlan plan;
    const auto add = [&](QChar kind, const QString& text) { plan.messages.append({kind, text}); };
    if (state.firstStartMessageDue) {
        plan.showWindow = true;
        plan.firstStartDone = true;
        if (!state.migrated)
            add(u'I',
                u"A program első indításakor a kommunikáció nem indul el automatikusan, ;hogy a "
                u"telefonközpont típusát (és paramétereit) be lehessen állítani. ;(a beállításhoz használja "
                u"a [2.] (illetve [1.]) gombot) ;És utána indíthatja a kommunikációt a START gombbal."_s);
        else
            add(u'I',
                u"A Kalvix program 1.20 verziójától kezdődően bevezetésre került egy  ;kommunikációt vezérlő "
                u"STOP/START kapcsoló. Ennek állapotát kilépés- ;kor a program megjegyzi, csak első "
                u"alkalommal kell bekapcsolni.   ; ;A kommunikáció elindításához nyomja meg a START gombot."_s);
        return plan;
    }
    if (state.migrated)
        return plan;
    QString subject;
    if (state.kind.isEmpty())
        subject = u"A telefonközpont típusa"_s;
    else if (state.storedRun == kRunNotSet)
        subject = u"Start/Stop kapcsoló állása"_s;
    if (!subject.isEmpty())
        add(u'F', subject + u" nem olvasható ki INI fájlból. ;"_s +
                      u"(valószínűen a fájl megsérült vagy nincs olvasási joga)"_s);
    if (state.runSwitch != 1 || !receiving)
        add(u'I', u"Induláskori figyelmeztetés: ; ;- kommunikáció nincs elindítva"_s);
    return plan;
}

FileResult markFirstStartDone(IniFile& ini)
{
    if (FileResult written = ini.writeBool(kSectionOther, kKeyFirstStartMessage, false); !written)
        return written;
    return ini.writeBool(kSectionOther, kKeyRun, false);
}
