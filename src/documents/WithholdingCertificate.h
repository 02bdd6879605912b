#pragma once

#include "DocumentPage.h"
#include "filecheck/DeclarationFileCheck.h"

class QPainter;

/**
 * The certificate of what a payer paid a perceptor under one key in the year
 * and withheld from it (Reglamento del IRPF, art. 108.3), from the perceptor's
 * record of a checked Modelo 190 file, drawn on one A4 page in twips.
 */
void paintWithholdingCertificate(QPainter& painter, const CheckedDeclaration& declaration,
                                 const DeclaredRecord& perceptor, const DocumentSigning& signing);
