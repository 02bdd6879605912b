#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <type_traits>

/** What a field may hold, as the agency's designs class it. */
enum class FieldKind {
    /** Digits only, right-justified and zero-filled: a blank is refused. */
    Numeric,
    /** Upper-case letters without accents, Ñ, Ç, digits, blanks and common punctuation, blank-filled. */
    Alphanumeric,
    /** The sign of the amount after it: a blank, or "N" when it is negative. */
    Sign,
    /** A blank, or "X". */
    Mark,
};

/** One field of a record design. Positions count from 1, both ends included. */
struct FieldDesign {
    /** The id of a field that the program neither fills nor reads by name. */
    static constexpr int kUnnamed = -1;

    int first;
    int last;
    FieldKind kind;
    /** The agency's name for the field, in UTF-8, as the check names it. */
    const char* name;
    /** The program's name for the field, a value of its record's enum, or kUnnamed. */
    int id = kUnnamed;
    /**
     * What the program always writes there: a literal of the field's width, or
     * one character that fills it. Null for a field that each record fills.
     */
    const char* constant = nullptr;

    int width() const { return last - first + 1; }
};

/** A field that each record fills, named by `id` of the record's enum. */
template <typename Id>
constexpr FieldDesign filled(int first, int last, FieldKind kind, const char* name, Id id) {
    return {first, last, kind, name, static_cast<int>(id), nullptr};
}

/** A field the program always writes as `constant`; `id` names it for the check to read. */
template <typename Id = int>
constexpr FieldDesign fixed(int first, int last, FieldKind kind, const char* name, const char* constant,
                            Id id = FieldDesign::kUnnamed) {
    return {first, last, kind, name, static_cast<int>(id), constant};
}

/** A numeric field that the program leaves at zero. */
constexpr FieldDesign zeros(int first, int last, const char* name) {
    return fixed(first, last, FieldKind::Numeric, name, "0");
}

/** An alphanumeric field that the program leaves blank. */
constexpr FieldDesign blanks(int first, int last, const char* name) {
    return fixed(first, last, FieldKind::Alphanumeric, name, " ");
}

/**
 * The design of one record type of one model: its fields in position order,
 * covering the 500 positions. The writers assemble their records from it and
 * the check of a written file reads them by it.
 */
class RecordDesign {
public:
    static constexpr int kLength = 500;

    /**
     * Throws std::logic_error when the fields leave a gap, overlap or pass 500,
     * a constant does not fit its field, or two fields share an id.
     */
    explicit RecordDesign(QList<FieldDesign> fields);

    const QList<FieldDesign>& fields() const { return m_fields; }

    /** The field the program calls `id`; throws std::logic_error when this design has none. */
    template <typename Id>
    const FieldDesign& field(Id id) const {
        static_assert(std::is_enum_v<Id>);
        return fieldById(static_cast<int>(id));
    }

    /** A record with every constant in place and blanks where each record fills its own value. */
    const QByteArray& blankRecord() const { return m_blankRecord; }

    /** Which ids each record must fill, one bit each. */
    quint64 idsToFill() const { return m_idsToFill; }

    const FieldDesign& fieldById(int id) const;

private:
    QList<FieldDesign> m_fields;
    QList<qsizetype> m_indexById;
    QByteArray m_blankRecord;
    quint64 m_idsToFill = 0;
};

/**
 * A record being assembled from its design: the constants are in place from
 * the start and the writer puts the value of every field that it fills. The
 * line is the 500 bytes upper-cased within Windows-1252, and CR LF.
 */
class DesignedRecord {
public:
    explicit DesignedRecord(const RecordDesign& design);

    /** Puts `value` in the field `id`; throws RecordError when it is not the field's width or the field
     * holds a constant. */
    template <typename Id>
    DesignedRecord& put(Id id, const QByteArray& value) {
        static_assert(std::is_enum_v<Id>);
        return putById(static_cast<int>(id), value);
    }

    /** The line to write; throws RecordError when a field that the record fills was left out. */
    QByteArray line() const;

private:
    DesignedRecord& putById(int id, const QByteArray& value);

    const RecordDesign* m_design;
    QByteArray m_bytes;
    quint64 m_idsLeft;
};
