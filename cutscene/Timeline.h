// What the film shows when: the fades from and to black, the words coming and going and
// the music's loudness, all as plain functions of the seconds since the film began.
#pragma once

#include "cutscene/FilmPlan.h"

// Smooth 0 to 1 as x goes from edge0 to edge1 (0 before, 1 after).
double SmoothStep(double edge0, double edge1, double x);

// How much the words' times shrink when the film is made shorter than they need (a
// test's few seconds): 1 at the film's own length, so every card still shows, in order.
double CardTimeScale(const TFilmPlan& plan, double seconds);

// Opacity of a card at time t: fades in, holds, fades out.
double CardAlpha(const TFilmCard& card, double t, double scale);

// Opacity of the black laid over everything: 1 at the start and at the end of a film of
// `seconds`, 0 between the two fades.
double BlackAlpha(double t, double seconds);

// Loudness of the music, 0 to 1: it rises with the picture and dies away with it.
double MusicLevel(double t, double seconds);

// How far through the card's life the words have drifted, 0 to 1 (their slow zoom).
double CardProgress(const TFilmCard& card, double t, double scale);
