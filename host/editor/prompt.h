// The loop behind every prompt: read an answer, let the prompt judge it, and re-ask or fail on a refusal.
#pragma once

#include <functional>
#include <string>

#include "editor/input.h"
#include "editor/state.h"

namespace cvx::editor {

// What a prompt makes of one answer: a result code, or a refusal message.
struct Verdict {
    int code = 0;
    std::wstring refusal;
    static Verdict accept(int code) { return {code, {}}; }
    static Verdict refuse(std::wstring message) { return {0, std::move(message)}; }
};

// Takes the rules acedInitGet set for this prompt.
PromptRules takeRules();

// Asks until an answer fits. Handles cancel, the end of input, empty answers (RTNONE, or refused with
// emptyRefusal under rule bit 1), keywords (RTKWORD) and, under bit 128, any text judge refuses (RTKWORD).
int ask(const InputRequest& request, const PromptRules& rules, const std::wstring& emptyRefusal,
        const std::function<Verdict(const Input&)>& judge);

// The refusal for a number that breaks the rules' bits 2 and 4, or empty.
std::wstring numberRuleBroken(const PromptRules& rules, double value);
// How an answer reads in messages.
std::wstring describe(const Input& in);

}  // namespace cvx::editor
