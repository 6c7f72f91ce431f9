#include "BenchDrawing.h"

#include "host/CImageList.h"
#include "host/KxApDocManager.h"
#include "host/KxApDocument.h"

#include <algorithm>

namespace {

KxApDocument& drawingDocument() {
    KxApDocManager* documents = kxDocManagerPtr();
    KxApDocument* document = documents->curDocument();
    if (!document) {
        document = documents->newDocument(L"Bench");
    }
    return *document;
}

} // namespace

std::wstring nameOf(std::int64_t k) {
    return L"param" + std::to_wstring(k);
}

std::wstring expressionOf(Shape shape, std::int64_t k, std::mt19937_64& random) {
    if (k == 1) {
        return L"1";
    }
    switch (shape) {
    case Shape::kChain:
        return nameOf(k - 1) + L" + 1";
    case Shape::kFan:
        return nameOf(1) + L" + " + std::to_wstring(k);
    case Shape::kDag:
        break;
    }
    const std::int64_t count =
        std::min<std::int64_t>(k - 1, 1 + static_cast<std::int64_t>(random() % 3));
    std::vector<std::int64_t> named;
    while (static_cast<std::int64_t>(named.size()) < count) {
        const std::int64_t earlier =
            1 + static_cast<std::int64_t>(random() % static_cast<std::uint64_t>(k - 1));
        if (std::find(named.begin(), named.end(), earlier) == named.end()) {
            named.push_back(earlier);
        }
    }
    std::wstring expression;
    for (const std::int64_t earlier : named) {
        expression += (expression.empty() ? L"" : L" + ") + nameOf(earlier);
    }
    return expression;
}

Drawing::Drawing(KxParameterManager& manager)
    : mManager(manager), mDocument(drawingDocument()), mPlate(L"bench", mDocument.database()) {
    publish();
}

Drawing::~Drawing() {
    withdraw();
}

void Drawing::publish() {
    if (!mbPublished) {
        CImageList images;
        mManager.registerCollection(&mPlate, images);
        mManager.setActiveCollection(&mPlate);
        mbPublished = true;
    }
}

void Drawing::withdraw() {
    if (mbPublished) {
        mManager.unRegisterCollection(&mPlate);
        mbPublished = false;
    }
}

bool Drawing::build(Shape shape, std::int64_t count) {
    std::mt19937_64 random(20261206);
    std::vector<KxParameter*> made;
    made.reserve(static_cast<std::size_t>(count));
    for (std::int64_t k = 1; k <= count; ++k) {
        KxParameter* parameter = nullptr;
        if (mManager.createParameter(parameter) != Lumo::eOk ||
            mManager.addParameter(parameter) != Lumo::eOk) {
            return false;
        }
        made.push_back(parameter);
    }
    for (std::int64_t k = 1; k <= count; ++k) {
        if (made[static_cast<std::size_t>(k - 1)]->setExpression(
                KxString(expressionOf(shape, k, random))) != Lumo::eOk) {
            return false;
        }
    }
    return true;
}

std::vector<double> Drawing::values() {
    std::vector<double> numbers;
    for (KxParameter* parameter : mPlate.getParameters()) {
        numbers.push_back(static_cast<KxPlateParameter*>(parameter)->number());
    }
    return numbers;
}
