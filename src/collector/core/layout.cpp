#include "core/layout.h"

#include "core/ini_file.h"

using namespace Qt::StringLiterals;

namespace {

ColumnRange readRange(const IniFile& ini, const QString& name, ColumnRange fallback)
{
    return {int(ini.readInteger(kSectionLayout, name + u"Kzd"_s, fallback.first)),
            int(ini.readInteger(kSectionLayout, name + u"Veg"_s, fallback.last))};
}

} // namespace

CallRecordLayout readLayout(const IniFile& ini)
{
    const CallRecordLayout d;
    CallRecordLayout l;
    const auto text = [&](const QString& key, const QString& fallback) {
        return ini.readString(kSectionLayout, key, fallback);
    };
    const auto flag = [&](const QString& key, bool fallback) {
        return ini.readBool(kSectionLayout, key, fallback);
    };
    l.date = readRange(ini, u"Dat"_s, d.date);
    l.time = readRange(ini, u"Ido"_s, d.time);
    l.extension = readRange(ini, u"Mel"_s, d.extension);
    l.trunk = readRange(ini, u"Fov"_s, d.trunk);
    l.number = readRange(ini, u"Tel"_s, d.number);
    l.duration = readRange(ini, u"Trt"_s, d.duration);
    l.code = readRange(ini, u"Kod"_s, d.code);
    l.account = readRange(ini, u"Acc"_s, d.account);
    l.direction = readRange(ini, u"Hiv"_s, d.direction);
    l.dateSeparator = text(u"DatVal"_s, d.dateSeparator);
    l.dateOrder = int(ini.readInteger(kSectionLayout, u"DatSor"_s, d.dateOrder));
    l.timeSeparator = text(u"IdoVal"_s, d.timeSeparator);
    l.clock24 = flag(u"Ido24E"_s, d.clock24);
    l.amMarker = text(u"IdoDEJ"_s, d.amMarker);
    l.pmMarker = text(u"IdoDUJ"_s, d.pmMarker);
    l.minuteSeparator = text(u"TrtMin"_s, d.minuteSeparator);
    l.secondSeparator = text(u"TrtSec"_s, d.secondSeparator);
    l.accountCodes = flag(u"AccVan"_s, d.accountCodes);
    l.accountInExtension = flag(u"AccEgy"_s, d.accountInExtension);
    l.accountMark = text(u"AccJel"_s, d.accountMark);
    l.directionFromNumber = flag(u"HivEgy"_s, d.directionFromNumber);
    l.incomingMarks = text(u"HivBEJ"_s, d.incomingMarks);
    l.outgoingValue = text(u"HivKIJ"_s, d.outgoingValue);
    l.lineEndChoice = int(ini.readInteger(kSectionLayout, u"LineFd"_s, d.lineEndChoice));
    return l;
}

std::optional<QString> lineEndOf(int lineEndChoice)
{
    switch (lineEndChoice) {
    case 0:
        return kLineEndCrLf;
    case 1:
        return kLineEndLfCr;
    default:
        return std::nullopt;
    }
}
