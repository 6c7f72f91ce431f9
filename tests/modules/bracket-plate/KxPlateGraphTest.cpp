// The plate keeps its names and dependency graph up to date change by change. A random sequence of
// creations, expressions, renames and deletions is checked after every step against a plain model
// that evaluates the whole drawing from its texts alone.

#include "KxPlateCollection.h"

#include "host/KxApDocManager.h"
#include "host/KxApDocument.h"
#include "host/KxConstantExpression.h"
#include "support/HostSession.h"
#include "support/TestParameter.h"

#include <gtest/gtest.h>

#include <charconv>
#include <map>
#include <optional>
#include <random>
#include <set>

namespace {

// The expression in pieces: words and single characters. A word is a parameter's name unless it
// starts with a digit, is followed by an argument or is one of the evaluator's own names.
std::vector<std::pair<std::string, bool>> pieces(const std::string& expression) {
    const auto inWord = [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
    };
    std::vector<std::pair<std::string, bool>> found;
    for (std::size_t start = 0, end = 0; start < expression.size(); start = end) {
        for (end = start + 1;
             inWord(expression[start]) && end < expression.size() && inWord(expression[end]);) {
            ++end;
        }
        const std::string piece = expression.substr(start, end - start);
        const std::size_t next = expression.find_first_not_of(' ', end);
        const KxString text = KxString::fromUtf8(piece);
        found.emplace_back(
            piece, inWord(piece[0]) && !std::isdigit(static_cast<unsigned char>(piece[0])) &&
                       (next == std::string::npos || expression[next] != '(') &&
                       !kxdbIsExpressionConstantName(text) && !kxdbIsExpressionFunctionName(text));
    }
    return found;
}

// Names, expressions and values as a user would work them out: each name replaced by the value of
// its parameter, worked out first.
struct PlainModel {
    std::map<std::string, std::string> expressions; // by name; the plate keeps names unique

    // Nothing for an unknown name, a cycle or a text that does not evaluate.
    std::optional<double> value(const std::string& name, std::map<std::string, double>& known,
                                std::set<std::string>& open) const {
        if (known.count(name) != 0) {
            return known[name];
        }
        if (expressions.count(name) == 0 || !open.insert(name).second) {
            return std::nullopt;
        }
        std::string text;
        for (const auto& [piece, isName] : pieces(expressions.at(name))) {
            const std::optional<double> used = isName ? value(piece, known, open) : 0.0;
            char digits[64];
            text +=
                !isName ? piece
                : used
                    ? "(" + std::string(digits, std::to_chars(digits, digits + 64, *used).ptr) + ")"
                    : "?";
        }
        KxDbEvalVariant result;
        if (!kxdbIsExpressionAConstant(KxString::fromUtf8(text), result)) {
            return std::nullopt;
        }
        open.erase(name);
        return known[name] = result.getType() == kDwgReal ? result.getDouble() : result.getInt32();
    }
    std::optional<std::map<std::string, double>> values() const {
        std::map<std::string, double> known;
        std::set<std::string> open;
        for (const auto& entry : expressions) {
            if (!value(entry.first, known, open)) {
                return std::nullopt;
            }
        }
        return known;
    }
};

struct PlateGraph : HostSession {
    KxPlateCollection plate{L"graph", kxDocManagerPtr()->newDocument(L"Graph")->database()};
    PlainModel model;
    std::mt19937 random{20261206};

    std::size_t pick(std::size_t count) {
        return std::uniform_int_distribution<std::size_t>(0, count - 1)(random);
    }
    KxPlateParameter* anyParameter() {
        return static_cast<KxPlateParameter*>(
            plate.getParameters()[static_cast<int>(pick(plate.getParameters().length()))]);
    }
    std::string anyName() {
        static const char* const kOthers[] = {"nosuch", "a", "b", "sin", "pi", "2x"};
        return pick(4) != 0 ? utf8(anyParameter()->getName()) : kOthers[pick(6)];
    }
    std::string anyExpression() {
        std::string expression = pick(3) == 0 ? std::to_string(pick(9)) : anyName();
        for (std::size_t terms = pick(3); terms > 0; --terms) {
            expression += std::string(" ") + "+-*/"[pick(4)] + " " +
                          (pick(2) == 0 ? std::to_string(pick(3)) : anyName());
        }
        return expression;
    }

    // The plate agrees with the model: the same parameters, expressions, values and usage counts.
    void expectAgreement() {
        const auto values = model.values();
        ASSERT_TRUE(values.has_value()) << "the plate accepted a change the model cannot evaluate";
        ASSERT_EQ(static_cast<std::size_t>(plate.getParameters().length()),
                  model.expressions.size());
        std::map<std::string, int> users;
        for (const auto& [user, expression] : model.expressions) {
            std::set<std::string> named;
            for (const auto& [piece, isName] : pieces(expression)) {
                users[piece] += isName && named.insert(piece).second ? 1 : 0;
            }
        }
        for (KxParameter* listed : plate.getParameters()) {
            auto* parameter = static_cast<KxPlateParameter*>(listed);
            const std::string name = utf8(parameter->getName());
            ASSERT_EQ(model.expressions.count(name), 1u) << name;
            EXPECT_EQ(utf8(parameter->getExpression()), model.expressions[name]);
            EXPECT_NEAR(parameter->number(), values->at(name),
                        1e-6 * (1 + std::abs(values->at(name))))
                << name;
            EXPECT_EQ(parameter->getProperty(L"usage_count")->value().getInt32(), users[name])
                << name;
            EXPECT_EQ(plate.find(parameter->getName()), parameter);
        }
    }
};

TEST_F(PlateGraph, EveryStepAgreesWithAFullEvaluation) {
    int outcomes[2] = {0, 0}; // refused, accepted
    for (int step = 0; step < 800 && !HasFatalFailure(); ++step) {
        SCOPED_TRACE(step);
        const std::size_t operation = plate.getParameters().length() < 3 ? 0 : pick(10);
        if (operation == 0) {
            KxParameter* made = nullptr;
            ASSERT_EQ(plate.createParameter(made), Lumo::eOk);
            ASSERT_EQ(plate.addParameter(made), Lumo::eOk);
            ASSERT_EQ(model.expressions.count(utf8(made->getName())), 0u) << "a name taken twice";
            model.expressions[utf8(made->getName())] = "0";
        } else if (operation <= 6) {
            KxPlateParameter* parameter = anyParameter();
            const std::string expression = anyExpression();
            PlainModel changed = model;
            changed.expressions[utf8(parameter->getName())] = expression;
            const bool valid = changed.values().has_value();
            EXPECT_EQ(parameter->setExpression(KxString::fromUtf8(expression)) == Lumo::eOk, valid)
                << expression;
            model = valid ? changed : model;
            ++outcomes[valid];
        } else if (operation <= 8) {
            // A rename carries the new name into every expression that used the old one.
            KxPlateParameter* parameter = anyParameter();
            const std::string name = utf8(parameter->getName());
            static const char* const kNames[] = {"a", "b", "c", "param2", "sin", "1x"};
            const std::string newName = pick(2) == 0 ? kNames[pick(6)] : anyName();
            const bool valid =
                newName == name ||
                (std::isalpha(static_cast<unsigned char>(newName[0])) && newName != "sin" &&
                 newName != "pi" && model.expressions.count(newName) == 0);
            EXPECT_EQ(parameter->setName(KxString::fromUtf8(newName)) == Lumo::eOk, valid)
                << name << " " << newName;
            PlainModel renamed;
            for (auto& [other, expression] : model.expressions) {
                std::string text;
                for (const auto& [piece, isName] : pieces(expression)) {
                    text += valid && isName && piece == name ? newName : piece;
                }
                renamed.expressions[valid && other == name ? newName : other] = text;
            }
            model = renamed;
        } else {
            // Offer a few for deletion; the plate keeps what the rest still names.
            KxArray<KxParameter*> offered;
            std::set<std::string> doomed, kept;
            for (std::size_t count = 1 + pick(3); count > 0; --count) {
                offered.append(anyParameter());
                doomed.insert(utf8(offered.last()->getName()));
            }
            for (bool grew = true; grew;) {
                grew = false;
                for (const auto& [name, expression] : model.expressions) {
                    const bool staying = doomed.count(name) == 0 || kept.count(name) != 0;
                    for (const auto& [used, isName] : pieces(expression)) {
                        grew = (staying && isName && doomed.count(used) != 0 &&
                                kept.insert(used).second) ||
                               grew;
                    }
                }
            }
            for (const std::string& name : doomed) {
                model.expressions.erase(kept.count(name) != 0 ? std::string() : name);
            }
            ASSERT_EQ(plate.checkParametersForDeletion(offered), Lumo::eOk);
            plate.deleteParameters(offered);
        }
        expectAgreement();
    }
    // The sequence exercised both outcomes often enough to mean something.
    EXPECT_GT(outcomes[0], 100);
    EXPECT_GT(outcomes[1], 100);
}

} // namespace
