// FilasDeSistemas.h: the rows of the connection dialog's reference-system box: which identifiers
// get one, and what each shows.
#pragma once

#include <afx.h>

#include <Vectra/SistemaReferencia.h>

#include <vector>

// The identifiers that get a row, in their order: row i stands for element i. Empty ones get none.
std::vector<CString> FilasDeSistemas(const std::vector<CString>& identificadores);

// What each row shows: the name of the first of the host's systems whose code is the one the
// identifier carries, when that code is above 0 and the host has it; the identifier itself otherwise.
std::vector<CString> TextosDeFilas(const std::vector<CString>& filas,
                                   const std::vector<Vectra::CSistemaReferencia>& sistemas);
