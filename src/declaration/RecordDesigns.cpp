#include "RecordDesigns.h"

namespace {

constexpr FieldKind Numeric = FieldKind::Numeric;
constexpr FieldKind Alphanumeric = FieldKind::Alphanumeric;
constexpr FieldKind Sign = FieldKind::Sign;
constexpr FieldKind Mark = FieldKind::Mark;

// Positions 1 to 135, the same in the type 1 record of both models.
QList<FieldDesign> declarantHeader(const char* model) {
    using enum DeclarantField;
    return {
        fixed(1, 1, Numeric, "tipo de registro", "1"),
        fixed(2, 4, Numeric, "modelo de declaración", model),
        filled(5, 8, Numeric, "ejercicio", FiscalYear),
        filled(9, 17, Alphanumeric, "NIF del declarante", DeclarantNif),
        filled(18, 57, Alphanumeric, "nombre del declarante", DeclarantName),
        fixed(58, 58, Alphanumeric, "tipo de soporte", "T"),
        filled(59, 67, Numeric, "teléfono de contacto", Telephone),
        filled(68, 107, Alphanumeric, "persona de contacto", ContactPerson),
        filled(108, 120, Numeric, "número de la declaración", DeclarationNumber),
        filled(121, 121, Alphanumeric, "declaración complementaria", ComplementaryMark),
        filled(122, 122, Alphanumeric, "declaración sustitutiva", SubstitutiveMark),
        filled(123, 135, Numeric, "número de la declaración anterior", PreviousNumber),
    };
}

// Positions 1 to 17 of the type 2 record of either model, where `Id` is the record's enum.
template <typename Id>
QList<FieldDesign> partyRecordStart(const char* model) {
    return {
        fixed(1, 1, Numeric, "tipo de registro", "2"),
        fixed(2, 4, Numeric, "modelo de declaración", model),
        filled(5, 8, Numeric, "ejercicio", Id::FiscalYear),
        filled(9, 17, Alphanumeric, "NIF del declarante", Id::DeclarantNif),
    };
}

struct QuarterNames {
    const char* sign;
    const char* amount;
    const char* propertySign;
    const char* propertyAmount;
};

constexpr QuarterNames kQuarterNames[] = {
    {"signo del primer trimestre", "primer trimestre", "signo de inmuebles del primer trimestre",
     "inmuebles del primer trimestre"},
    {"signo del segundo trimestre", "segundo trimestre", "signo de inmuebles del segundo trimestre",
     "inmuebles del segundo trimestre"},
    {"signo del tercer trimestre", "tercer trimestre", "signo de inmuebles del tercer trimestre",
     "inmuebles del tercer trimestre"},
    {"signo del cuarto trimestre", "cuarto trimestre", "signo de inmuebles del cuarto trimestre",
     "inmuebles del cuarto trimestre"},
};

// Positions 136 to 263 of a Modelo 347 type 2 record: each quarter's operations, then its property
// transfers, each a sign and 15 digits.
QList<FieldDesign> quarters() {
    QList<FieldDesign> fields;
    for (int quarter = 0; quarter < 4; ++quarter) {
        const int first = 136 + 32 * quarter;
        const QuarterNames& names = kQuarterNames[quarter];
        fields += {filled(first, first, Sign, names.sign, quarterFields(quarter).sign),
                   filled(first + 1, first + 15, Numeric, names.amount, quarterFields(quarter).amount),
                   fixed(first + 16, first + 16, Sign, names.propertySign, " "),
                   zeros(first + 17, first + 31, names.propertyAmount)};
    }
    return fields;
}

}  // namespace

QuarterFields quarterFields(int quarter) {
    using enum DeclaredField;
    static constexpr QuarterFields kQuarters[] = {{FirstQuarterSign, FirstQuarter},
                                                  {SecondQuarterSign, SecondQuarter},
                                                  {ThirdQuarterSign, ThirdQuarter},
                                                  {FourthQuarterSign, FourthQuarter}};
    return kQuarters[quarter];
}

const RecordDesign& RecordDesigns::declarant190() {
    using enum DeclarantField;
    static const RecordDesign design(
        declarantHeader("190") +
        QList<FieldDesign>{
            filled(136, 144, Numeric, "número de registros", RecordCount),
            fixed(145, 145, Sign, "signo del importe total de las percepciones", " ", TotalSign),
            filled(146, 160, Numeric, "importe total de las percepciones", Total),
            filled(161, 175, Numeric, "total de retenciones", TotalWithheld),
            filled(176, 225, Alphanumeric, "correo electrónico de la persona de contacto", Email),
            blanks(226, 487, "blancos"),
            blanks(488, 500, "sello electrónico"),
        });
    return design;
}

const RecordDesign& RecordDesigns::perceptor190() {
    using enum PerceptorField;
    static const RecordDesign design(
        partyRecordStart<PerceptorField>("190") +
        QList<FieldDesign>{
            filled(18, 26, Alphanumeric, "NIF del perceptor", PerceptorNif),
            blanks(27, 35, "NIF del representante legal"),
            filled(36, 75, Alphanumeric, "nombre del perceptor", Name),
            filled(76, 77, Numeric, "provincia", Province),
            filled(78, 80, Alphanumeric, "clave y subclave", Key),
            fixed(81, 81, Sign, "signo de la percepción", " ", PaidSign),
            filled(82, 94, Numeric, "percepción íntegra", Paid),
            filled(95, 107, Numeric, "retenciones", Withheld),
            fixed(108, 108, Sign, "signo de las percepciones en especie", " "),
            zeros(109, 121, "percepciones en especie"),
            zeros(122, 134, "ingresos a cuenta"),
            zeros(135, 147, "ingresos a cuenta repercutidos"),
            zeros(148, 151, "ejercicio de devengo"),
            filled(152, 152, Numeric, "Ceuta o Melilla", CeutaOrMelilla),
            zeros(153, 156, "año de nacimiento"),
            zeros(157, 157, "situación familiar"),
            blanks(158, 166, "NIF del cónyuge"),
            zeros(167, 167, "discapacidad"),
            zeros(168, 168, "contrato o relación"),
            zeros(169, 169, "titular de la unidad de convivencia"),
            zeros(170, 170, "movilidad geográfica"),
            zeros(171, 183, "reducciones aplicables"),
            zeros(184, 254, "gastos, pensiones, anualidades, descendientes, ascendientes y préstamos"),
            fixed(255, 255, Sign, "signo de las percepciones por incapacidad laboral", " "),
            zeros(256, 281, "percepciones y retenciones por incapacidad laboral"),
            fixed(282, 282, Sign, "signo de las percepciones en especie por incapacidad laboral", " "),
            zeros(283, 321, "percepciones en especie por incapacidad laboral"),
            zeros(322, 387, "complemento de ayuda a la infancia y datos forales"),
            zeros(388, 388, "exceso de acciones de empresas emergentes"),
            zeros(389, 389, "rendimientos de la gestión de fondos"),
            zeros(390, 394, "tipos de prestaciones de la clave B.01"),
            blanks(395, 500, "blancos"),
        });
    return design;
}

const RecordDesign& RecordDesigns::declarant347() {
    using enum DeclarantField;
    static const RecordDesign design(
        declarantHeader("347") + QList<FieldDesign>{
                                     filled(136, 144, Numeric, "número de registros", RecordCount),
                                     fixed(145, 145, Sign, "signo del importe total", " ", TotalSign),
                                     filled(146, 160, Numeric, "importe total", Total),
                                     fixed(161, 169, Numeric, "número de inmuebles", "0", PropertyCount),
                                     fixed(170, 170, Sign, "signo de inmuebles", " "),
                                     fixed(171, 185, Numeric, "importe de inmuebles", "0", PropertyAmount),
                                     blanks(186, 390, "blancos"),
                                     blanks(391, 399, "NIF del representante legal"),
                                     blanks(400, 487, "blancos"),
                                     blanks(488, 500, "sello electrónico"),
                                 });
    return design;
}

const RecordDesign& RecordDesigns::declared347() {
    using enum DeclaredField;
    static const RecordDesign design(partyRecordStart<DeclaredField>("347") +
                                     QList<FieldDesign>{
                                         filled(18, 26, Alphanumeric, "NIF del declarado", Nif),
                                         blanks(27, 35, "NIF del representante legal"),
                                         filled(36, 75, Alphanumeric, "nombre del declarado", Name),
                                         fixed(76, 76, Alphanumeric, "tipo de hoja", "D"),
                                         filled(77, 78, Numeric, "provincia", Province),
                                         filled(79, 80, Alphanumeric, "código de país", Country),
                                         blanks(81, 81, "blanco"),
                                         fixed(82, 82, Alphanumeric, "clave de operación", "D", OperationKey),
                                         filled(83, 83, Sign, "signo del importe anual", YearlySign),
                                         filled(84, 98, Numeric, "importe anual", Yearly),
                                         fixed(99, 99, Mark, "operación de seguro", " "),
                                         fixed(100, 100, Mark, "arrendamiento de local de negocio", " "),
                                         zeros(101, 115, "importe en metálico"),
                                         fixed(116, 116, Sign, "signo de inmuebles", " "),
                                         zeros(117, 131, "importe de inmuebles"),
                                         zeros(132, 135, "ejercicio en metálico"),
                                     } +
                                     quarters() +
                                     QList<FieldDesign>{
                                         blanks(264, 280, "NIF del operador comunitario"),
                                         filled(281, 281, Mark, "criterio de caja", CashBasisMark),
                                         fixed(282, 282, Mark, "inversión del sujeto pasivo", " "),
                                         fixed(283, 283, Mark, "depósito aduanero", " "),
                                         filled(284, 284, Sign, "signo del criterio de caja", CashBasisSign),
                                         filled(285, 299, Numeric, "importe del criterio de caja", CashBasis),
                                         zeros(300, 305, "número de convocatoria BDNS"),
                                         blanks(306, 500, "blancos"),
                                     });
    return design;
}

const RecordDesign* RecordDesigns::of(const QByteArray& model, char type) {
    if (model == "190")
        return type == '1' ? &declarant190() : type == '2' ? &perceptor190() : nullptr;
    if (model == "347")
        return type == '1' ? &declarant347() : type == '2' ? &declared347() : nullptr;
    return nullptr;
}
