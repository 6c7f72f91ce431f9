// The sample provider's rules, on its classes directly: evaluation, vetting, deletion, properties,
// groups and the drawing it makes.

#include "KxBracketPlate.h"
#include "KxPlateExpression.h"

#include "host/KxApDocManager.h"
#include "host/KxApDocument.h"
#include "host/KxDbDatabase.h"
#include "host/KxDbEntity.h"
#include "model/KxParameterValueSetList.h"
#include "support/HostSession.h"
#include "support/TestParameter.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

std::vector<std::string> namesOf(const KxArray<KxParameter*>& parameters) {
    std::vector<std::string> names;
    for (const KxParameter* parameter : parameters) {
        names.push_back(utf8(parameter->getName()));
    }
    return names;
}

std::vector<short> groupsOf(const KxParameter* parameter) {
    KxParameter::GroupIndexList groups;
    parameter->getGroupNameIndexes(groups);
    return {groups.begin(), groups.end()};
}

// The bracket plate on a fresh host, with a recording reactor on every parameter.
struct Plate : HostSession {
    EventLog log;
    std::vector<std::unique_ptr<RecordingReactor>> reactors;
    KxBracketPlate plate;
    KxPlateCollection& collection = plate.collection();

    Plate() {
        for (KxParameter* parameter : collection.getParameters()) {
            reactors.push_back(std::make_unique<RecordingReactor>(utf8(parameter->getName()), log));
            parameter->addReactor(reactors.back().get());
        }
    }

    KxPlateParameter& at(const wchar_t* name) {
        KxPlateParameter* parameter = collection.find(name);
        if (!parameter) {
            throw std::runtime_error("no parameter " + KxString(name).toUtf8());
        }
        return *parameter;
    }

    double value(const wchar_t* name) {
        KxDbEvalVariant variant;
        EXPECT_EQ(at(name).getValue(variant), Lumo::eOk);
        EXPECT_EQ(variant.getType(), kDwgReal) << KxString(name);
        return variant.getDouble();
    }

    std::int32_t usageCount(const wchar_t* name) {
        return at(name).getProperty(L"usage_count")->value().getInt32();
    }

    KxArray<KxParameter*> list(std::initializer_list<const wchar_t*> names) {
        KxArray<KxParameter*> parameters;
        for (const wchar_t* name : names) {
            parameters.append(&at(name));
        }
        return parameters;
    }
};

TEST_F(Plate, EvaluatesEveryDimensionAsARealAfterWhatItNames) {
    EXPECT_EQ(value(L"width"), 120.0);
    EXPECT_EQ(value(L"height"), 60.0);
    EXPECT_EQ(value(L"thickness"), 6.0);
    EXPECT_EQ(value(L"hole_count"), 4.0);
    EXPECT_EQ(value(L"hole_diameter"), 9.0);
    EXPECT_EQ(value(L"fillet_angle"), 45.0);
    EXPECT_EQ(value(L"spacing"), 34.0);

    KxString text;
    EXPECT_EQ(at(L"hole_diameter").getValueText(text), Lumo::eOk);
    EXPECT_EQ(text, KxString(L"9"));
    EXPECT_TRUE(at(L"fillet_angle").hasAngularUnits());
    EXPECT_FALSE(at(L"width").hasAngularUnits());
    at(L"fillet_angle").getTypeName(text);
    EXPECT_EQ(text, KxString(L"Angle"));

    EXPECT_EQ(usageCount(L"width"), 2);
    EXPECT_EQ(usageCount(L"hole_diameter"), 1);
    EXPECT_EQ(usageCount(L"spacing"), 0);

    // A drawing defined out of order is evaluated in dependency order; unrelated parameters keep
    // their place.
    KxPlateCollection chain(L"chain", kxDocManagerPtr()->curDocument()->database());
    KxPlateParameter* a = chain.define(L"a", L"b + 1", KxPlateParameter::Kind::kNumber, L"", 0.1);
    chain.define(L"d", L"5", KxPlateParameter::Kind::kNumber, L"", 0.1);
    KxPlateParameter* b = chain.define(L"b", L"c * 2", KxPlateParameter::Kind::kNumber, L"", 0.1);
    KxPlateParameter* c = chain.define(L"c", L"3", KxPlateParameter::Kind::kNumber, L"", 0.1);
    std::vector<KxPlateParameter*> all;
    for (KxParameter* parameter : chain.getParameters()) {
        all.push_back(static_cast<KxPlateParameter*>(parameter));
    }
    EXPECT_TRUE(chain.evaluateAll());
    EXPECT_EQ(a->number(), 7.0);
    EXPECT_EQ(b->number(), 6.0);

    // A change reaches the dependents in that order too.
    EventLog chainLog;
    RecordingReactor ra("a", chainLog), rb("b", chainLog), rc("c", chainLog);
    a->addReactor(&ra);
    b->addReactor(&rb);
    c->addReactor(&rc);
    EXPECT_EQ(c->setExpression(L"4"), Lumo::eOk);
    EXPECT_THAT(chainLog, ElementsAre("c: expressionWillChange 4", "b: parameterModified",
                                      "a: parameterModified", "c: expressionChanged 4"));
    EXPECT_EQ(a->number(), 9.0);
}

TEST_F(Plate, AChangeReevaluatesAndTellsItsDependentsOnly) {
    EXPECT_EQ(at(L"width").setExpression(L"150"), Lumo::eOk);
    EXPECT_THAT(log, ElementsAre("width: expressionWillChange 150", "height: parameterModified",
                                 "spacing: parameterModified", "width: expressionChanged 150"));
    EXPECT_EQ(value(L"width"), 150.0);
    EXPECT_EQ(value(L"height"), 75.0);
    EXPECT_EQ(value(L"spacing"), 44.0);

    log.clear();
    EXPECT_EQ(at(L"thickness").setExpression(L"8"), Lumo::eOk);
    EXPECT_THAT(log,
                ElementsAre("thickness: expressionWillChange 8", "hole_diameter: parameterModified",
                            "spacing: parameterModified", "thickness: expressionChanged 8"));
    EXPECT_EQ(value(L"hole_diameter"), 12.0);
    EXPECT_EQ(value(L"spacing"), 42.0);

    // Naming other parameters changes their usage counts, and they are told so.
    log.clear();
    EXPECT_EQ(at(L"height").setExpression(L"thickness * 10"), Lumo::eOk);
    EXPECT_THAT(log, ElementsAre("height: expressionWillChange thickness * 10",
                                 "width: parameterModified", "thickness: parameterModified",
                                 "height: expressionChanged thickness * 10"));
    EXPECT_EQ(value(L"height"), 80.0);
    EXPECT_EQ(usageCount(L"width"), 1);
    EXPECT_EQ(usageCount(L"thickness"), 2);

    // Function names, `pi` and exponents are the evaluator's, in any case.
    EXPECT_EQ(at(L"fillet_angle").setExpression(L"ATAN(height / height) + 0*PI + 1e1"), Lumo::eOk);
    EXPECT_DOUBLE_EQ(value(L"fillet_angle"), 55.0);
}

TEST_F(Plate, RefusesACircularReferenceNamingThePath) {
    EXPECT_EQ(at(L"width").setExpression(L"height * 2"), Lumo::eInvalidInput);
    EXPECT_THAT(log, ElementsAre("width: expressionWillChange height * 2",
                                 "width: modificationFailed 3 [circular reference: width → height "
                                 "→ width] []"));
    EXPECT_EQ(at(L"width").getExpression(), KxString(L"120"));
    EXPECT_EQ(value(L"width"), 120.0);

    log.clear();
    at(L"thickness").setExpression(L"spacing / 2");
    EXPECT_THAT(log, ElementsAre("thickness: expressionWillChange spacing / 2",
                                 "thickness: modificationFailed 3 [circular reference: thickness → "
                                 "spacing → hole_diameter → thickness] []"));

    log.clear();
    at(L"width").setExpression(L"width + 1");
    EXPECT_EQ(log.back(), "width: modificationFailed 3 [circular reference: width → width] []");
    EXPECT_EQ(value(L"thickness"), 6.0);
    EXPECT_EQ(value(L"width"), 120.0);
}

TEST_F(Plate, RefusesUnknownNamesTextsThatDoNotParseAndValuesItsDependentsCannotTake) {
    EXPECT_EQ(at(L"height").setExpression(L"depth * 2"), Lumo::eKeyNotFound);
    EXPECT_EQ(log.back(), "height: modificationFailed 22 [unknown parameter: depth] []");
    // Names compare exactly.
    EXPECT_EQ(at(L"height").setExpression(L"Width / 2"), Lumo::eKeyNotFound);
    EXPECT_EQ(log.back(), "height: modificationFailed 22 [unknown parameter: Width] []");

    EXPECT_EQ(at(L"height").setExpression(L"width / / 2"), Lumo::eInvalidInput);
    EXPECT_EQ(log.back(),
              "height: modificationFailed 3 [not a valid expression: \"width / / 2\"] []");
    EXPECT_EQ(at(L"height").setExpression(L""), Lumo::eInvalidInput);
    EXPECT_EQ(log.back(), "height: modificationFailed 3 [not a valid expression: \"\"] []");

    // One hole would leave the spacing dividing by zero.
    EXPECT_EQ(at(L"hole_count").setExpression(L"1"), Lumo::eInvalidInput);
    EXPECT_EQ(log.back(), "hole_count: modificationFailed 3 [spacing cannot be evaluated after "
                          "this change: (width - 2 * hole_diameter) / (hole_count - 1)] []");
    EXPECT_EQ(at(L"height").getExpression(), KxString(L"width / 2"));
    EXPECT_EQ(value(L"hole_count"), 4.0);
    EXPECT_EQ(value(L"spacing"), 34.0);
}

TEST_F(Plate, RefusesNamesThatAreNoIdentifiersTakenOrTheEvaluatorsAndCarriesRenames) {
    struct Refusal {
        const wchar_t* name;
        Lumo::ErrorStatus status;
        const char* message;
    };
    const Refusal refusals[] = {
        {L"2x", Lumo::eInvalidInput,
         "\"2x\" is not a valid name: use letters, digits and _, not starting with a digit"},
        {L"hole count", Lumo::eInvalidInput,
         "\"hole count\" is not a valid name: use letters, digits and _, not starting with a "
         "digit"},
        {L"", Lumo::eInvalidInput,
         "\"\" is not a valid name: use letters, digits and _, not starting with a digit"},
        {L"height", Lumo::eDuplicateKey, "\"height\" is taken by another parameter"},
        {L"sin", Lumo::eInvalidInput, "\"sin\" is a function name"},
        {L"SQRT", Lumo::eInvalidInput, "\"SQRT\" is a function name"},
        {L"Pi", Lumo::eInvalidInput, "\"Pi\" is a constant name"},
    };
    for (const Refusal& refusal : refusals) {
        log.clear();
        EXPECT_EQ(at(L"width").setName(refusal.name), refusal.status) << KxString(refusal.name);
        EXPECT_THAT(log, ElementsAre("width: nameWillChange " + utf8(refusal.name),
                                     "width: modificationFailed " + std::to_string(refusal.status) +
                                         " [" + refusal.message + "] []"));
        EXPECT_EQ(at(L"width").getName(), KxString(L"width"));
    }

    // A rename reaches the expressions that named the parameter, and their reactors.
    log.clear();
    KxPlateParameter& width = at(L"width");
    EXPECT_EQ(width.setName(L"plate_width"), Lumo::eOk);
    EXPECT_THAT(log, ElementsAre("width: nameWillChange plate_width", "height: parameterModified",
                                 "spacing: parameterModified", "width: nameChanged plate_width"));
    EXPECT_EQ(at(L"height").getExpression(), KxString(L"plate_width / 2"));
    EXPECT_EQ(at(L"spacing").getExpression(),
              KxString(L"(plate_width - 2 * hole_diameter) / (hole_count - 1)"));
    EXPECT_EQ(at(L"plate_width").setExpression(L"100"), Lumo::eOk);
    EXPECT_EQ(value(L"height"), 50.0);
    // Letter case makes another name.
    EXPECT_EQ(at(L"height").setName(L"Plate_width"), Lumo::eOk);
}

TEST_F(Plate, DeletionKeepsWhatStayingParametersStillName) {
    auto check = [&](std::initializer_list<const wchar_t*> names) {
        KxArray<KxParameter*> offered = list(names);
        EXPECT_EQ(collection.checkParametersForDeletion(offered), Lumo::eOk);
        return namesOf(offered);
    };
    EXPECT_THAT(check({L"width"}), IsEmpty());
    EXPECT_THAT(check({L"spacing", L"hole_diameter"}), ElementsAre("spacing", "hole_diameter"));
    EXPECT_THAT(check({L"width", L"height"}), ElementsAre("height"));
    // Through a parameter that must stay itself.
    EXPECT_THAT(check({L"thickness", L"hole_diameter", L"fillet_angle"}),
                ElementsAre("fillet_angle"));

    KxDbObjectId diameterEntity, spacingEntity;
    at(L"hole_diameter").getEntityId(diameterEntity);
    at(L"spacing").getEntityId(spacingEntity);
    ASSERT_TRUE(diameterEntity.isValid());
    log.clear();
    collection.deleteParameters(list({L"hole_diameter", L"spacing"}));
    EXPECT_THAT(namesOf(collection.getParameters()),
                ElementsAre("width", "height", "thickness", "hole_count", "fillet_angle"));
    EXPECT_FALSE(diameterEntity.isValid());
    EXPECT_FALSE(spacingEntity.isValid());
    // The parameters that lost a user are told.
    EXPECT_THAT(log, ElementsAre("width: parameterModified", "thickness: parameterModified",
                                 "hole_count: parameterModified"));
    EXPECT_EQ(usageCount(L"width"), 1);
    EXPECT_EQ(usageCount(L"thickness"), 0);
}

TEST_F(Plate, CreatesParametersUnderNamesNotTaken) {
    KxParameter* first = nullptr;
    KxParameter* second = nullptr;
    ASSERT_EQ(collection.createParameter(first), Lumo::eOk);
    ASSERT_EQ(collection.createParameter(second), Lumo::eOk);
    EXPECT_EQ(first->getName(), KxString(L"param1"));
    EXPECT_EQ(second->getName(), KxString(L"param2"));
    EXPECT_EQ(first->getExpression(), KxString(L"0"));
    EXPECT_EQ(collection.getParameters().length(), 7); // the caller adds them
    KxDbEvalVariant zero;
    first->getValue(zero);
    EXPECT_EQ(zero, KxDbEvalVariant(0.0));
    KxDbObjectId entity;
    first->getEntityId(entity);
    EXPECT_TRUE(entity.isValid());

    collection.addParameter(first);
    EXPECT_EQ(first->setExpression(L"width + 1"), Lumo::eOk);
    EXPECT_EQ(at(L"param1").number(), 121.0);
    // Not yet added, it cannot be named, but its name is taken.
    EXPECT_EQ(first->setExpression(L"param2"), Lumo::eKeyNotFound);
    EXPECT_EQ(first->setName(L"param2"), Lumo::eDuplicateKey);

    collection.addParameter(second);
    EXPECT_EQ(at(L"spacing").setName(L"param3"), Lumo::eOk);
    KxParameter* fourth = nullptr;
    collection.createParameter(fourth);
    EXPECT_EQ(fourth->getName(), KxString(L"param4"));
}

TEST_F(Plate, PropertiesRefuseReadOnlyAndValuesOutsideTheirSet) {
    KxPlateParameter& width = at(L"width");
    const KxParameter::PropertyList& properties = width.getProperties();
    ASSERT_EQ(properties.length(), 3);
    EXPECT_EQ(properties[0]->value().getType(), kDwgText);
    EXPECT_EQ(properties[1]->value().getType(), kDwgInt32);
    EXPECT_EQ(properties[2]->value().getType(), kDwgReal);
    EXPECT_EQ(properties[0]->value(), KxDbEvalVariant(L"Overall width of the plate"));
    EXPECT_TRUE(properties[1]->isReadOnly());

    TestProperty count(L"usage_count");
    count.value() = std::int32_t{5};
    EXPECT_EQ(width.setProperty(count), Lumo::eNotAllowed);
    EXPECT_THAT(log, ElementsAre("width: propertyWillChange usage_count",
                                 "width: modificationFailed 2 [usage_count is read-only] []"));
    EXPECT_EQ(usageCount(L"width"), 2);

    log.clear();
    TestProperty tolerance(L"tolerance");
    tolerance.value() = 0.3;
    EXPECT_EQ(width.setProperty(tolerance), Lumo::eInvalidInput);
    EXPECT_EQ(log.back(),
              "width: modificationFailed 3 [tolerance must be one of 0.1, 0.2, 0.5] []");
    tolerance.value() = L"0.2";
    EXPECT_EQ(width.setProperty(tolerance), Lumo::eInvalidInput);
    EXPECT_EQ(log.back(), "width: modificationFailed 3 [tolerance takes a number] []");
    EXPECT_EQ(width.tolerance(), 0.5);

    log.clear();
    tolerance.value() = 0.2;
    EXPECT_EQ(width.setProperty(tolerance), Lumo::eOk);
    EXPECT_THAT(log, ElementsAre("width: propertyWillChange tolerance",
                                 "width: propertyChanged tolerance"));
    EXPECT_EQ(width.tolerance(), 0.2);
    EXPECT_EQ(width.getProperty(L"tolerance")->value(), KxDbEvalVariant(0.2));

    TestProperty description(L"description");
    description.value() = 7.0;
    EXPECT_EQ(width.setProperty(description), Lumo::eInvalidInput);
    EXPECT_EQ(log.back(), "width: modificationFailed 3 [description takes a text] []");
    description.value() = L"Across the flanges";
    EXPECT_EQ(width.setProperty(description), Lumo::eOk);
    KxString text;
    width.getDescription(text);
    EXPECT_EQ(text, KxString(L"Across the flanges"));

    KxParameterValueSet* set = nullptr;
    EXPECT_EQ(width.getValueSet({KxParameter::kListedProperty, L"tolerance"}, set), Lumo::eOk);
    auto* list = dynamic_cast<KxParameterValueSetList*>(set);
    ASSERT_NE(list, nullptr);
    EXPECT_THAT(list->values(),
                ElementsAre(KxDbEvalVariant(0.1), KxDbEvalVariant(0.2), KxDbEvalVariant(0.5)));
    EXPECT_EQ(width.getValueSet({KxParameter::kListedProperty, L"description"}, set), Lumo::eOk);
    EXPECT_EQ(set, nullptr);

    KxArray<KxColumnHeaderProperty> columns;
    EXPECT_EQ(collection.getSupportedProperties(columns), Lumo::eOk);
    ASSERT_EQ(columns.length(), 3);
    EXPECT_EQ(columns[0].mKey, KxString(L"description"));
    EXPECT_EQ(columns[1].mKey, KxString(L"usage_count"));
    EXPECT_EQ(columns[2].mKey, KxString(L"tolerance"));
}

TEST_F(Plate, DrawsOneEntityPerParameterInANewDocumentAndHighlightsIt) {
    KxApDocument* document = kxDocManagerPtr()->curDocument();
    ASSERT_NE(document, nullptr);
    EXPECT_EQ(document->name(), KxString(L"Plate"));
    EXPECT_EQ(document->database()->objectCount(), 8); // the plate and its seven dimensions

    KxDbObjectId id;
    EXPECT_EQ(at(L"height").getEntityId(id), Lumo::eOk);
    EXPECT_EQ(id.database(), document->database());
    EXPECT_EQ(at(L"height").highlight(true, false), Lumo::eOk);
    KxDbEntity* entity = nullptr;
    ASSERT_EQ(kxdbOpenObject(entity, id, KxDb::kForRead), Lumo::eOk);
    EXPECT_THAT(entity->highlights(),
                ElementsAre(KxDbHighlight{KxDbFullSubentPath(id, KxDbSubentId()),
                                          kKxGiHighlightDashedThick}));
    entity->close();
    EXPECT_EQ(at(L"height").highlight(false, false), Lumo::eOk);
    EXPECT_THAT(entity->highlights(), IsEmpty());
}

TEST_F(Plate, GroupIndexesStayWithTheirNames) {
    KxPlateGroupCollection& groups = plate.groups();
    short outline = -1, holes = -1, index = -1;
    ASSERT_EQ(groups.getGroupIndex(L"outline", outline), Lumo::eOk);
    ASSERT_EQ(groups.getGroupIndex(L"holes", holes), Lumo::eOk);
    EXPECT_NE(outline, holes);
    EXPECT_EQ(groups.getGroupIndex(L"Outline", index), Lumo::eInvalidInput);
    EXPECT_THAT(groupsOf(&at(L"width")), ElementsAre(outline));
    EXPECT_THAT(groupsOf(&at(L"spacing")), ElementsAre(holes));

    ASSERT_EQ(groups.addParameterGroup(L"extra"), Lumo::eOk);
    short extra = -1;
    groups.getGroupIndex(L"extra", extra);
    EXPECT_NE(extra, outline);
    EXPECT_NE(extra, holes);
    EXPECT_EQ(at(L"width").addToGroup(extra), Lumo::eOk);
    EXPECT_THAT(groupsOf(&at(L"width")), ElementsAre(outline, extra));

    // Renamed, the group keeps its index and members; its old name is free for a new group.
    ASSERT_EQ(groups.renameParameterGroup(L"outline", L"frame"), Lumo::eOk);
    EXPECT_EQ(groups.getGroupIndex(L"frame", index), Lumo::eOk);
    EXPECT_EQ(index, outline);
    EXPECT_EQ(groups.getGroupIndex(L"outline", index), Lumo::eInvalidInput);
    ASSERT_EQ(groups.addParameterGroup(L"outline"), Lumo::eOk);
    groups.getGroupIndex(L"outline", index);
    EXPECT_NE(index, outline);
    EXPECT_NE(index, extra);

    // Deleted, the group loses its members; added again, it has its index back.
    log.clear();
    ASSERT_EQ(groups.deleteParameterGroup(L"holes"), Lumo::eOk);
    EXPECT_EQ(groups.getGroupIndex(L"holes", index), Lumo::eInvalidInput);
    EXPECT_THAT(groupsOf(&at(L"spacing")), IsEmpty());
    EXPECT_THAT(groupsOf(&at(L"width")), ElementsAre(outline, extra));
    EXPECT_EQ(log.size(), 6u); // will-change and changed for each of the three holes
    ASSERT_EQ(groups.addParameterGroup(L"holes"), Lumo::eOk);
    groups.getGroupIndex(L"holes", index);
    EXPECT_EQ(index, holes);
}

TEST_F(Plate, UsesTheOpenDocumentAndDeletesItsDrawingWhenFreed) {
    KxApDocument* mine = kxDocManagerPtr()->newDocument(L"Mine");
    std::vector<KxDbObjectId> ids;
    {
        KxBracketPlate second;
        EXPECT_EQ(kxDocManagerPtr()->curDocument(), mine);
        EXPECT_EQ(mine->database()->objectCount(), 8);
        for (KxParameter* parameter : second.collection().getParameters()) {
            ids.emplace_back();
            parameter->getEntityId(ids.back());
            EXPECT_EQ(ids.back().database(), mine->database());
        }
    }
    for (const KxDbObjectId& id : ids) {
        EXPECT_FALSE(id.isValid());
    }
    EXPECT_EQ(mine->database()->objectCount(), 0);
}

} // namespace
