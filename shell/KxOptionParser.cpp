#include "shell/KxOptionParser.h"

#include "shell/KxModuleDirectories.h"

#include <ostream>
#include <utility>

KxOptionParser::KxOptionParser(std::string program, std::string usage)
    : mProgram(std::move(program)), mUsage(std::move(usage)) {}

void KxOptionParser::addFlag(const std::string& name, bool& flag) {
    mFlags[name] = &flag;
}

void KxOptionParser::addValue(const std::string& name, std::string& value) {
    mValues[name] = &value;
}

void KxOptionParser::addOperand(const std::string& name, std::string& value) {
    mOperandName = name;
    mpOperand = &value;
}

void KxOptionParser::addModuleDirectories(KxModuleDirectories& modules) {
    mModules = &modules;
}

KxOptionParser::Outcome KxOptionParser::parse(int argc, const char* const argv[],
                                              std::ostream& output, std::ostream& errors) {
    bool operandTaken = false;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (const auto flag = mFlags.find(argument); flag != mFlags.end()) {
            *flag->second = true;
        } else if (takesValue(argument)) {
            if (i + 1 == argc) {
                errors << mProgram << ": " << argument << " needs a value\n";
                return Outcome::Error;
            }
            if (!take(argument, argv[++i], errors)) {
                return Outcome::Error;
            }
        } else if (argument == "--help" || argument == "-h") {
            output << mUsage;
            return Outcome::Help;
        } else if (mpOperand && !argument.starts_with('-')) {
            if (operandTaken) {
                errors << mProgram << ": one " << mOperandName << " only, not also '" << argument
                       << "'\n";
                return Outcome::Error;
            }
            *mpOperand = argument;
            operandTaken = true;
        } else {
            errors << mProgram << ": unknown option '" << argument << "'\n" << mUsage;
            return Outcome::Error;
        }
    }
    return Outcome::Run;
}

int KxOptionParser::exitStatus(Outcome outcome) {
    return outcome == Outcome::Help ? 0 : 2;
}

bool KxOptionParser::takesValue(const std::string& name) const {
    return mValues.contains(name) || (mModules && KxModuleDirectories::isOption(name));
}

bool KxOptionParser::take(const std::string& name, const std::string& value, std::ostream& errors) {
    if (const auto target = mValues.find(name); target != mValues.end()) {
        *target->second = value;
        return true;
    }
    return mModules->addOption(name, value, errors);
}
