#include "AgencyErrors.h"

#include "base/NumberText.h"
#include "declaration/DeclarantHeader.h"
#include "declaration/DeclarationMessages.h"
#include "declaration/RecordDesigns.h"
#include "declaration/TextNormalization.h"
#include "declaration/Windows1252.h"

#include <QDir>
#include <QMap>
#include <QRegularExpression>
#include <QStringDecoder>

namespace {

// The code at the start of an error: a capital letter and digits.
const QRegularExpression kError(QStringLiteral("^\\s*([A-Z][0-9]{3,9})\\s*[-:]?\\s*(.*)$"),
                                QRegularExpression::DotMatchesEverythingOption);
// Where the next error of the same record begins.
const QRegularExpression kNextError(QStringLiteral(";(?=\\s*[A-Z][0-9]{3,9}(\\s|[-:]|$))"));

// The record comes back as it was sent, in Windows-1252; the agency's texts may come in UTF-8. Each part
// of a line is read by itself, so that either may be in either.
QString decoded(QByteArrayView bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8(bytes);
    return utf8.hasError() ? Windows1252::decode(bytes) : text;
}

bool startsLikeARecord(QByteArrayView line) {
    return (line.startsWith("1") || line.startsWith("2")) &&
           (line.sliced(1).startsWith("190") || line.sliced(1).startsWith("347"));
}

// The record ends at the first ";" that an error code follows. Found in the bytes read as Latin-1, one
// character a byte.
std::optional<AgencyRefusal> refusalIn(QByteArrayView line, int number) {
    if (!startsLikeARecord(line))
        return std::nullopt;
    const QRegularExpressionMatch separator = kNextError.match(QString::fromLatin1(line));
    if (!separator.hasMatch())
        return std::nullopt;
    const QByteArray record = Windows1252::encode(decoded(line.first(separator.capturedStart())));
    if (record.size() > RecordDesign::kLength)
        return std::nullopt;
    AgencyRefusal refusal;
    refusal.line = number;
    refusal.record = record.leftJustified(RecordDesign::kLength, ' ');
    const QString errors = decoded(line.sliced(separator.capturedStart() + 1));
    for (const QString& part : errors.split(kNextError)) {
        const QRegularExpressionMatch error = kError.match(part);
        if (error.hasMatch())
            refusal.errors.append({error.captured(1), error.captured(2).trimmed()});
    }
    return refusal;
}

// Without accents and case, as the agency's names and ours are compared.
QString comparable(const QString& name) {
    return NormalizeText(Windows1252::toUpper(name)).simplified();
}

const RecordDesign* designOf(const AgencyRefusal& refusal) {
    return RecordDesigns::of(refusal.record.mid(1, 3), refusal.type());
}

QString positions(const FieldDesign& field) {
    return field.first == field.last ? QStringLiteral("posición %1").arg(field.first)
                                     : QStringLiteral("posiciones %1-%2").arg(field.first).arg(field.last);
}

}  // namespace

QString AgencyRefusal::party() const {
    const QString nif = Windows1252::decode(QByteArrayView(record).sliced(17, 9)).trimmed();
    const QString name = Windows1252::decode(QByteArrayView(record).sliced(35, 40)).trimmed();
    QString party = (nif + QLatin1Char(' ') + name).trimmed();
    if (model() == QLatin1String("190"))
        party += QStringLiteral(", clave ") + Windows1252::decode(QByteArrayView(record).sliced(77, 3));
    return party;
}

std::optional<AgencyErrorFile> AgencyErrorFile::parse(const QByteArray& content) {
    AgencyErrorFile file;
    const QByteArray withoutMark = content.startsWith("\xEF\xBB\xBF") ? content.mid(3) : content;
    const QList<QByteArray> lines = withoutMark.split('\n');
    for (int i = 0; i < lines.size(); ++i) {
        QByteArrayView line(lines[i]);
        if (line.endsWith('\r'))
            line.chop(1);
        if (std::optional<AgencyRefusal> refusal = refusalIn(line, i + 1))
            file.refusals.append(std::move(*refusal));
    }
    if (file.refusals.isEmpty())
        return std::nullopt;
    return file;
}

std::optional<AgencyErrorFile> AgencyErrorFile::read(const QString& path, QString& failure) {
    const std::optional<QByteArray> content = readWholeFile(path, failure);
    if (!content)
        return std::nullopt;
    std::optional<AgencyErrorFile> errors = parse(*content);
    if (!errors)
        failure = QStringLiteral(
                      "El fichero %1 no es un fichero de errores de la Agencia: ninguna línea lleva un "
                      "registro del modelo 190 o 347, un «;» y un código de error.")
                      .arg(QDir::toNativeSeparators(path));
    return errors;
}

QString AgencyErrorFile::model() const {
    const QString first = refusals.first().model();
    for (const AgencyRefusal& refusal : refusals)
        if (refusal.model() != first)
            return QString();
    return first;
}

RefusedParties AgencyErrorFile::parties() const {
    RefusedParties parties;
    for (const AgencyRefusal& refusal : refusals) {
        if (refusal.type() != '2')
            continue;
        const QByteArrayView record(refusal.record);
        if (refusal.model() == QLatin1String("190")) {
            using enum PerceptorField;
            const RecordDesign& design = RecordDesigns::perceptor190();
            const auto at = [&](PerceptorField id) {
                return record.sliced(design.field(id).first - 1, design.field(id).width());
            };
            parties.add(RefusedParties::perceptorIdentity(at(PerceptorNif), at(Key)), refusal.party());
        } else {
            using enum DeclaredField;
            const RecordDesign& design = RecordDesigns::declared347();
            const auto at = [&](DeclaredField id) {
                return record.sliced(design.field(id).first - 1, design.field(id).width());
            };
            parties.add(RefusedParties::supplierIdentity(at(Nif), at(Province), at(Country), at(Name)),
                        refusal.party());
        }
    }
    return parties;
}

// The agency quotes the field's name: 'Número de convocatoria BDNS'.
std::optional<FieldDesign> namedField(const AgencyRefusal& refusal, const AgencyError& error) {
    static const QRegularExpression kQuoted(QStringLiteral("['\"«‘“]([^'\"»’”]+)['\"»’”]"));
    const RecordDesign* design = designOf(refusal);
    const QRegularExpressionMatch quoted = kQuoted.match(error.text);
    if (!design || !quoted.hasMatch())
        return std::nullopt;
    const QString named = comparable(quoted.captured(1));
    for (const FieldDesign& field : design->fields())
        if (comparable(QString::fromUtf8(field.name)) == named)
            return field;
    for (const FieldDesign& field : design->fields()) {
        const QString ours = comparable(QString::fromUtf8(field.name));
        if (ours.contains(named) || named.contains(ours))
            return field;
    }
    return std::nullopt;
}

QString whatToDo(const AgencyRefusal& refusal, const AgencyError& error) {
    const std::optional<FieldDesign> field = namedField(refusal, error);
    if (!field)
        return QStringLiteral("corríjalo en la contabilidad");
    const QString name = comparable(QString::fromUtf8(field->name));
    const QByteArrayView value = QByteArrayView(refusal.record).sliced(field->first - 1, field->width());
    if (name.contains(QLatin1String("PROVINCIA")) || name.contains(QLatin1String("POSTAL")))
        return QStringLiteral(
            "grabe el código postal en la ficha del proveedor, en la contabilidad, y vuelva a generar el "
            "fichero");
    if (field->kind == FieldKind::Numeric && value.contains(' '))
        return QStringLiteral(
            "un campo numérico va en blanco, como lo dejaban los diseños anteriores: vuelva a generar el "
            "fichero con este programa, que lo rellena con ceros");
    if (name.contains(QLatin1String("NIF")))
        return QStringLiteral(
            "compruebe el NIF en la ficha del proveedor, en la contabilidad («Revisar validez de los "
            "CIF/NIF» los repasa todos)");
    const QString text = Windows1252::decode(value);
    if (name.contains(QLatin1String("NOMBRE")) &&
        std::any_of(text.begin(), text.end(), [](QChar c) { return isAccentedVowel(c); }))
        return QStringLiteral(
            "el nombre lleva vocales acentuadas: vuelva a generar el fichero con este programa, que las "
            "quita, o corríjalo en la contabilidad");
    return QStringLiteral("corríjalo en la contabilidad");
}

AgencyErrorsListing::AgencyErrorsListing(const AgencyErrorFile& file, const QString& path) {
    const QByteArray& first = file.refusals.first().record;
    const QString model = file.model().isEmpty() ? QStringLiteral("190 y 347") : file.model();
    title = QStringLiteral("Errores de la Agencia en la declaración del modelo %1, ejercicio %2")
                .arg(model, QString::fromLatin1(first.mid(4, 4)));
    heading = {QStringLiteral("Declarante: %1").arg(QString::fromLatin1(first.mid(8, 9))),
               QStringLiteral("Fichero de errores: %1. Registros rechazados: %2.")
                   .arg(QDir::toNativeSeparators(path))
                   .arg(file.refusals.size())};
    QMap<QString, int> recordsByCode;
    int index = 0;
    for (const AgencyRefusal& refusal : file.refusals) {
        lines.append(QStringLiteral("%1. Línea %2: registro de tipo %3 del modelo %4: %5")
                         .arg(++index)
                         .arg(refusal.line)
                         .arg(QChar::fromLatin1(refusal.type()))
                         .arg(refusal.model(), refusal.party()));
        QSet<QString> codes;
        for (const AgencyError& error : refusal.errors) {
            const std::optional<FieldDesign> field = namedField(refusal, error);
            lines.append(QStringLiteral("   %1 %2%3")
                             .arg(error.code, error.text,
                                  field ? QStringLiteral(" (%1)").arg(positions(*field)) : QString()));
            lines.append(QStringLiteral("   Qué hacer: %1.").arg(whatToDo(refusal, error)));
            codes.insert(error.code);
        }
        for (const QString& code : codes)
            ++recordsByCode[code];
        const QList<FileProblem> ours = checkRecord(refusal.record);
        if (ours.isEmpty())
            lines.append(QStringLiteral(
                "   La comprobación de este programa no encuentra nada en este registro: es un hueco de la "
                "comprobación; comuníquelo a quien le da soporte."));
        for (const FileProblem& problem : ours)
            lines.append(QStringLiteral("   Este programa también encuentra: %1 (%2): %3.")
                             .arg(positions({problem.first, problem.last, FieldKind::Alphanumeric, ""}),
                                  problem.field, problem.what));
    }
    lines.append(QString());
    lines.append(QStringLiteral("Registros rechazados por código de error:"));
    for (auto it = recordsByCode.cbegin(); it != recordsByCode.cend(); ++it)
        lines.append(
            QStringLiteral("   %1: %2")
                .arg(it.key(), counted(it.value(), QStringLiteral("registro"), QStringLiteral("registros"))));
}

std::optional<AcceptedIdentity> acceptDeclarationIdentity(const QString& model, const ContactInputs& contact,
                                                          UserInterface& ui) {
    const auto refuse = [&ui](const QString& problem) {
        DeclarationMessages::tellDeclarationIdentityProblem(ui, problem);
        return std::nullopt;
    };
    if (const QString problem = declarationIdentityProblem(model, contact); !problem.isEmpty())
        return refuse(problem);
    if (contact.refusedRecordsFile.isEmpty())
        return AcceptedIdentity{};
    QString failure;
    const std::optional<AgencyErrorFile> errors = AgencyErrorFile::read(contact.refusedRecordsFile, failure);
    if (!errors)
        return refuse(failure);
    const QString path = QDir::toNativeSeparators(contact.refusedRecordsFile);
    if (errors->model() != model)
        return refuse(QStringLiteral("El fichero de errores %1 no es de la declaración del modelo %2.")
                          .arg(path, model));
    RefusedParties parties = errors->parties();
    if (parties.isEmpty())
        return refuse(
            QStringLiteral("El fichero de errores %1 no rechaza ningún perceptor ni proveedor: solo el "
                           "registro del declarante, que se corrige en una declaración sustitutiva.")
                .arg(path));
    return AcceptedIdentity{std::move(parties)};
}
