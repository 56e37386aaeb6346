#pragma once

// The two dinghies, by their players.
enum class TPlayer { Green = 0, Red = 1 };
