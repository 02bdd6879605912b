#pragma once

#include "RecordDesign.h"

/**
 * The agency's record designs in force for exercise 2025 and following (Orden
 * HAC/1431/2025), for the fields the program writes. Every record begins with
 * its type at position 1 and the model at 2-4.
 */

/** The fields of the type 1 records of both models that the program fills or the check reads. */
enum class DeclarantField {
    FiscalYear,
    DeclarantNif,
    DeclarantName,
    Telephone,
    ContactPerson,
    DeclarationNumber,
    ComplementaryMark,
    SubstitutiveMark,
    PreviousNumber,
    RecordCount,
    TotalSign,
    Total,
    // Modelo 190 only
    TotalWithheld,
    Email,
    // Modelo 347 only
    PropertyCount,
    PropertyAmount,
};

/** The fields of a Modelo 190 type 2 record (a perceptor) that the program fills or the check reads. */
enum class PerceptorField {
    FiscalYear,
    DeclarantNif,
    PerceptorNif,
    Name,
    Province,
    Key,
    PaidSign,
    Paid,
    Withheld,
    CeutaOrMelilla,
};

/** The fields of a Modelo 347 type 2 record (a declared party) that the program fills or the check reads. */
enum class DeclaredField {
    FiscalYear,
    DeclarantNif,
    Nif,
    Name,
    Province,
    Country,
    OperationKey,
    YearlySign,
    Yearly,
    FirstQuarterSign,
    FirstQuarter,
    SecondQuarterSign,
    SecondQuarter,
    ThirdQuarterSign,
    ThirdQuarter,
    FourthQuarterSign,
    FourthQuarter,
    CashBasisMark,
    CashBasisSign,
    CashBasis,
};

/** The sign and the amount of a quarter, 0 to 3, of a Modelo 347 type 2 record. */
struct QuarterFields {
    DeclaredField sign;
    DeclaredField amount;
};
QuarterFields quarterFields(int quarter);

namespace RecordDesigns {

const RecordDesign& declarant190();
const RecordDesign& perceptor190();
const RecordDesign& declarant347();
const RecordDesign& declared347();

/** The design of records of `type` ('1' or '2') of `model` ("190" or "347"); null for any other. */
const RecordDesign* of(const QByteArray& model, char type);

}  // namespace RecordDesigns
