// The string table of the parameter manager, as the resource module "KxParameterRes.dll" gives it.

#include "resources/KxParameterResIds.h"

#include "host/KxModuleExport.h"

namespace {

struct Entry {
    unsigned int id;
    const wchar_t* text;
};

constexpr Entry kTable[] = {
    {KxParameterRes::kColumnName, L"Name"},
    {KxParameterRes::kColumnExpression, L"Expression"},
    {KxParameterRes::kColumnValue, L"Value"},
    {KxParameterRes::kColumnType, L"Type"},
    {KxParameterRes::kColumnDescription, L"Description"},
    {KxParameterRes::kColumnGroups, L"Groups"},
    {KxParameterRes::kFilteredTitle, L"Parameters are filtered"},
    {KxParameterRes::kFilteredMessage,
     L"The palette shows only the parameters that pass the current filter."},
    {KxParameterRes::kFilterAllParameters, L"All parameters"},
    {KxParameterRes::kErrorInvalidName, L"The name is not a valid parameter name."},
    {KxParameterRes::kErrorDuplicateName, L"Another parameter already has this name."},
    {KxParameterRes::kErrorInvalidExpression, L"The expression cannot be evaluated."},
    {KxParameterRes::kErrorInvalidValue, L"The value is not valid for this property."},
    {KxParameterRes::kErrorGroupChangeRefused, L"The parameter's groups cannot be changed."},
    {KxParameterRes::kErrorDeleteRefused, L"The parameters cannot be deleted."},
};

} // namespace

// The text of an identifier, or null for one that the table does not hold.
extern "C" KX_MODULE_EXPORT const wchar_t* kxResourceString(unsigned int id) {
    for (const Entry& entry : kTable) {
        if (entry.id == id) {
            return entry.text;
        }
    }
    return nullptr;
}
