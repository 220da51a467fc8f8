#include "ui/program_kind.h"

namespace {
ProgramKind current = ProgramKind::Main;
}

void setProgramKind(ProgramKind kind)
{
    current = kind;
}

ProgramKind programKind()
{
    return current;
}
