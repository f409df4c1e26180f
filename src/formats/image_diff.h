#pragma once

// Field-level differences between two settings images, in the order of the
// field table: channel fields, settings, device bytes, then every byte whose
// changed bits belong to no field (the bytes the program does not interpret).

#include "image/image.h"

#include <string>
#include <vector>

namespace ksv::formats {

struct FieldChange {
    std::string subject; // "Канал 5, Частота ПРМ, кГц", "Тип радиостанции", "Байт 230"
    std::string before;
    std::string after;
};

std::vector<FieldChange> compareImages(const Image& before, const Image& after);

// "Канал 5, Частота ПРМ, кГц: 148000 → 149025"
std::string formatChange(const FieldChange& change);

} // namespace ksv::formats
