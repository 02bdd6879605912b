#pragma once

#include <QtGlobal>

#include <charconv>

/**
 * A positive finite number on its 15 significant digits, the precision a
 * double keeps exactly in decimal: the integer `mantissa` of 15 digits times
 * 10^(exponent − 14). Rounding on these digits is free of the noise of the
 * binary fraction (2.675 is 2.67499999… in binary, but 267500000000000 here).
 */
struct SignificantDigits {
    static constexpr int kCount = 15;

    qint64 mantissa = 0;
    int exponent = 0;

    static SignificantDigits of(double magnitude) {
        char buffer[64];
        const auto end = std::to_chars(buffer, buffer + sizeof buffer, magnitude,
                                       std::chars_format::scientific, kCount - 1)
                             .ptr;
        SignificantDigits digits;
        const char* p = buffer;
        for (; *p != 'e'; ++p)
            if (*p != '.')
                digits.mantissa = digits.mantissa * 10 + (*p - '0');
        std::from_chars(p + 1 + (p[1] == '+' ? 1 : 0), end, digits.exponent);
        return digits;
    }
};
