#pragma once

// How a question is answered: the romaji typed, or one of four chosen.
enum class TAnswerMode { Typed, Choice };
