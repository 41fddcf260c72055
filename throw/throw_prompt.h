#pragma once

// The one on-screen prompt, "Vaxo", shown in the carried entity's prompt group.

#include <cstdint>

struct DisplayText;

struct ThrowPrompt {
    std::uint32_t handle; // the host's prompt; 0 when there is none
    bool created;
};

extern ThrowPrompt throwPrompt;

void createThrowPrompt();
void refreshThrowPrompt(std::uint32_t carried);
bool isThrowPromptCompleted();
void deleteThrowPrompt();
void activatePromptGroup(std::uint32_t group, DisplayText text);
