#pragma once

// Identifiers of the texts in the string table of the resource module "KxParameterRes.dll".
namespace KxParameterRes {

enum Id : unsigned int {
    // Column titles of the parameters palette.
    kColumnName = 1001,
    kColumnExpression = 1002,
    kColumnValue = 1003,
    kColumnType = 1004,
    kColumnDescription = 1005,
    kColumnGroups = 1006,

    // The notice that the palette shows filtered parameters.
    kFilteredTitle = 2001,
    kFilteredMessage = 2002,
    kFilterAllParameters = 2003,

    // Texts of refused edits.
    kErrorInvalidName = 3001,
    kErrorDuplicateName = 3002,
    kErrorInvalidExpression = 3003,
    kErrorInvalidValue = 3004,
    kErrorGroupChangeRefused = 3005,
    kErrorDeleteRefused = 3006,
};

} // namespace KxParameterRes
