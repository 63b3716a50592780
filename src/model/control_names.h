#pragma once

// The controls of the main window, by their layout names (UTF-8, as the window's
// object names). Core names a control only through these.

#include <string_view>

namespace itemsmith::controls {

// Edit boxes.
inline constexpr std::string_view kServerFilePath = "编辑框FWDITEM";
inline constexpr std::string_view kClientFilePath = "编辑框KHDITEM";
inline constexpr std::string_view kIdStep = "编辑框ID自增";
inline constexpr std::string_view kItemId = "编辑框道具ID";
inline constexpr std::string_view kModelName = "编辑框模型名称";
inline constexpr std::string_view kView = "编辑框View";
inline constexpr std::string_view kWeight = "编辑框重量";
inline constexpr std::string_view kEquipLevelMin = "编辑框装备最低等级";
inline constexpr std::string_view kEquipLevelMax = "编辑框装备最高等级";
inline constexpr std::string_view kAttackRange = "编辑框攻击范围";
inline constexpr std::string_view kSlots = "编辑框卡槽数量";
inline constexpr std::string_view kUseDelay = "编辑框使用间隔";
inline constexpr std::string_view kItemName = "编辑框道具名称";
inline constexpr std::string_view kWeaponLevel = "编辑框武器级别";
inline constexpr std::string_view kArmorLevel = "编辑框护甲级别";
inline constexpr std::string_view kBuyPrice = "编辑框购买价格";
inline constexpr std::string_view kSellPrice = "编辑框出售价格";
inline constexpr std::string_view kSampleLine = "编辑框1";
inline constexpr std::string_view kSamplePattern = "编辑框2";
inline constexpr std::string_view kScript = "编辑框属性脚本";       // multi-line
inline constexpr std::string_view kDescription = "编辑框说明信息";  // multi-line

// Check boxes.
inline constexpr std::string_view kAlwaysOnTop = "选择框1";
inline constexpr std::string_view kAutoIncrement = "选择框ID自增";
inline constexpr std::string_view kRefineable = "选择框精炼";

// Drop-down lists.
inline constexpr std::string_view kMainType = "组合框主类型";
inline constexpr std::string_view kSubType = "组合框子类型";
inline constexpr std::string_view kLocation = "组合框装备位置";
inline constexpr std::string_view kGender = "组合框性别";

// Check lists.
inline constexpr std::string_view kJobs = "选择列表框可用职业";
inline constexpr std::string_view kFlags = "选择列表框标志";
inline constexpr std::string_view kTrade = "选择列表框交易限制";

// Tab control.
inline constexpr std::string_view kTabs = "高级选择夹1";

// Buttons.
inline constexpr std::string_view kOpenFilesButton = "按钮1";
inline constexpr std::string_view kInsertButton = "按钮2";
inline constexpr std::string_view kLoadButton = "按钮3";
inline constexpr std::string_view kSaveButton = "按钮4";
inline constexpr std::string_view kExtractButton = "按钮5";

}  // namespace itemsmith::controls
