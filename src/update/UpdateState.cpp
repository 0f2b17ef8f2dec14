// SPDX-License-Identifier: GPL-3.0-or-later
#include "update/UpdateState.h"

#include <algorithm>
#include <array>
#include <utility>

namespace modflash {

namespace {

using Stage = UpdateState::Stage;

constexpr std::array<std::pair<Stage, Stage>, 17> transitions{{
    {Stage::Idle, Stage::CheckingImage},
    {Stage::Ended, Stage::CheckingImage},
    {Stage::Idle, Stage::Downloading},
    {Stage::Ended, Stage::Downloading},
    {Stage::Downloading, Stage::CheckingImage},
    {Stage::Downloading, Stage::Ended},
    {Stage::Downloading, Stage::Stopping},
    {Stage::CheckingImage, Stage::CheckingModule},
    {Stage::CheckingImage, Stage::Writing},
    {Stage::CheckingImage, Stage::Ended},
    {Stage::CheckingImage, Stage::Stopping},
    {Stage::CheckingModule, Stage::Writing},
    {Stage::CheckingModule, Stage::Ended},
    {Stage::CheckingModule, Stage::Stopping},
    {Stage::Writing, Stage::Ended},
    {Stage::Writing, Stage::Stopping},
    {Stage::Stopping, Stage::Ended},
}};

} // namespace

bool UpdateState::allows(Stage from, Stage to) {
    return std::find(transitions.begin(), transitions.end(), std::pair{from, to}) !=
           transitions.end();
}

bool UpdateState::moveTo(Stage next) {
    if (!allows(m_stage, next))
        return false;
    m_stage = next;
    return true;
}

} // namespace modflash
