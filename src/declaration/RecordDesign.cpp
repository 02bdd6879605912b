#include "RecordDesign.h"

#include "RecordError.h"
#include "Windows1252.h"

#include <cstring>
#include <stdexcept>
#include <string>
#include <utility>

namespace {

constexpr int kMostIds = 64;  // one bit each in the mask of the ids still to fill

[[noreturn]] void refuse(const FieldDesign& field, const char* why) {
    throw std::logic_error(std::string("record design, positions ") + std::to_string(field.first) + "-" +
                           std::to_string(field.last) + ": " + why);
}

QByteArray constantBytes(const FieldDesign& field) {
    const auto length = static_cast<int>(std::strlen(field.constant));
    if (length == 1)
        return QByteArray(field.width(), field.constant[0]);
    if (length != field.width())
        refuse(field, "the constant is not the field's width");
    return QByteArray(field.constant);
}

}  // namespace

RecordDesign::RecordDesign(QList<FieldDesign> fields) : m_fields(std::move(fields)) {
    m_blankRecord.reserve(kLength);
    for (const FieldDesign& field : m_fields) {
        if (field.first != m_blankRecord.size() + 1 || field.last < field.first || field.last > kLength)
            refuse(field, "the field does not follow the one before it");
        m_blankRecord += field.constant ? constantBytes(field) : QByteArray(field.width(), ' ');
        if (field.id == FieldDesign::kUnnamed)
            continue;
        if (field.id < 0 || field.id >= kMostIds)
            refuse(field, "the id is out of range");
        if (field.id >= m_indexById.size())
            m_indexById.resize(field.id + 1, -1);
        if (m_indexById[field.id] >= 0)
            refuse(field, "two fields share the id");
        m_indexById[field.id] = &field - m_fields.constData();
        if (!field.constant)
            m_idsToFill |= quint64(1) << field.id;
    }
    if (m_blankRecord.size() != kLength)
        refuse(m_fields.last(), "the fields do not reach position 500");
}

const FieldDesign& RecordDesign::fieldById(int id) const {
    if (id < 0 || id >= m_indexById.size() || m_indexById[id] < 0)
        throw std::logic_error("record design: no field has the id " + std::to_string(id));
    return m_fields[m_indexById[id]];
}

DesignedRecord::DesignedRecord(const RecordDesign& design)
    : m_design(&design), m_bytes(design.blankRecord()), m_idsLeft(design.idsToFill()) {}

DesignedRecord& DesignedRecord::putById(int id, const QByteArray& value) {
    const FieldDesign& field = m_design->fieldById(id);
    if (field.constant || value.size() != field.width())
        throw RecordError(QStringLiteral("El valor «%1» no cabe en las posiciones %2-%3 (%4).")
                              .arg(QString::fromLatin1(value))
                              .arg(field.first)
                              .arg(field.last)
                              .arg(QString::fromUtf8(field.name)));
    m_bytes.replace(field.first - 1, field.width(), value);
    m_idsLeft &= ~(quint64(1) << id);
    return *this;
}

QByteArray DesignedRecord::line() const {
    if (m_idsLeft != 0) {
        int id = 0;
        while (!(m_idsLeft & (quint64(1) << id)))
            ++id;
        const FieldDesign& field = m_design->fieldById(id);
        throw RecordError(QStringLiteral("Falta el campo de las posiciones %1-%2 (%3).")
                              .arg(field.first)
                              .arg(field.last)
                              .arg(QString::fromUtf8(field.name)));
    }
    return Windows1252::toUpper(m_bytes) + "\r\n";
}
