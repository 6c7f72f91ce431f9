#include "kit/KxPaletteTable.h"

#include "collections/KxColumnHeaderProperty.h"
#include "collections/KxParameterCollection.h"
#include "kit/KxDisplayValue.h"
#include "kit/KxParameterGroupNames.h"
#include "manager/KxParameterManager.h"
#include "model/KxParameter.h"
#include "model/KxParameterProperty.h"
#include "resources/KxParameterResIds.h"
#include "util/KxParameterUtil.h"

#include <algorithm>

namespace {

KxString columnTitle(unsigned int id, const wchar_t* english) {
    KxString title = KxParameterUtil::getResourceString(id);
    return title.isEmpty() ? KxString(english) : title;
}

} // namespace

std::vector<KxPaletteColumn> kxPaletteColumns(const KxParameterManager* manager) {
    using enum KxPaletteColumnKind;
    std::vector<KxPaletteColumn> columns = {
        {kName, {}, columnTitle(KxParameterRes::kColumnName, L"Name")},
        {kExpression, {}, columnTitle(KxParameterRes::kColumnExpression, L"Expression")},
        {kValue, {}, columnTitle(KxParameterRes::kColumnValue, L"Value")},
        {kGroups, {}, columnTitle(KxParameterRes::kColumnGroups, L"Groups")},
    };
    const KxParameterCollection* active = manager ? manager->getActiveCollection() : nullptr;
    if (!active) {
        return columns;
    }
    KxArray<KxColumnHeaderProperty> headers;
    active->getSupportedProperties(headers);
    for (const KxColumnHeaderProperty& header : headers) {
        const KxPaletteColumn column{kProperty, header.mKey,
                                     header.mTitle.isEmpty() ? header.mKey : header.mTitle};
        const bool known =
            std::any_of(columns.begin(), columns.end(),
                        [&](const KxPaletteColumn& c) { return c.isSameAs(column); });
        if (header.mbVisible && !known) {
            columns.push_back(column);
        }
    }
    return columns;
}

KxString kxPaletteCellText(KxParameter& parameter, const KxPaletteColumn& column,
                           const KxParameterGroupCollection* groups) {
    switch (column.kind) {
    case KxPaletteColumnKind::kName:
        return parameter.getName();
    case KxPaletteColumnKind::kExpression:
        return parameter.getExpression();
    case KxPaletteColumnKind::kValue:
        return kxDisplayValue(parameter);
    case KxPaletteColumnKind::kGroups:
        return KxParameterGroupNames(groups).textOf(parameter);
    case KxPaletteColumnKind::kProperty:
        break;
    }
    const KxParameterProperty* property = parameter.getProperty(column.key.kwszPtr());
    return property ? KxParameterUtil::evalVariantToString(property->value()) : KxString();
}
