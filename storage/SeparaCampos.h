// SeparaCampos.h: SeparaCampos, the splitter of stored entry lines into a name and an address.
#pragma once

#include <afx.h>

// Splits a line of comma- or blank-separated fields, each possibly in double quotes, into at most
// two fields and returns how many it took (0 to 2). Fields not taken come back empty; an empty line
// returns 0 and leaves both untouched. Never fails.
int SeparaCampos(const CString& linea, CString campos[2]);
