#include "core/pbx_type.h"

#include "core/text_utils.h"

using namespace Qt::StringLiterals;

PbxType PbxType::fromCode(const QString& code)
{
    return PbxType{int(SafeStrToInt(code.mid(0, 1))), int(SafeStrToInt(code.mid(2, 3))),
                   int(SafeStrToInt(code.mid(6, 2)))};
}

QStringList pbxTypeListTexts()
{
    return {u"1-000-00 : Teszt"_s, u"1-001-01 : Panasonic KX-TA"_s, u"1-002-01 : Panasonic KX-TDA"_s,
            u"1-999-01 : Egyéni beállítás"_s, u"1-999-02 : Egyéni - CSV kimenet"_s};
}
