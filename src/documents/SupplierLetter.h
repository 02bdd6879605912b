#pragma once

#include "DocumentPage.h"
#include "filecheck/DeclarationFileCheck.h"

class QPainter;

/**
 * The letter that tells a declared supplier the amounts of a checked
 * Modelo 347 file before it is presented: the yearly
 * amount, and the quarters or, under the cash basis, the amount of the year,
 * with 15 days to report a difference to the file's contact person. One A4
 * page in twips.
 */
void paintSupplierLetter(QPainter& painter, const CheckedDeclaration& declaration,
                         const DeclaredRecord& supplier, const DocumentSigning& signing);
