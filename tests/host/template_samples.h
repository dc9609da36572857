// Templates for the tests, made with the template writer, and the checks
// that run a template through everything a loader would touch. Reusable by
// any test that has a template to damage (the product's own included).
#pragma once

#include <cstdint>

#include "frame/template/template_reader.h"
#include "frame/template/template_writer.h"
#include "widgets/widget_set.h"

// Handlers for test templates; never called, only compared.
void SampleCreatedHandler(EventRecord& event);
void SampleClickHandler(EventRecord& event);
void SamplePressHandler(EventRecord& event);

// The references the sample templates use, and the table that maps them.
constexpr int32_t kSampleCreatedReference = 0;
constexpr int32_t kSampleClickReference = 0x192;
constexpr int32_t kSamplePressReference = 0x13AC;
HandlerTable SampleHandlers();

// A unit record of `unitClass` with the given identifier and a property
// block written by that class's codec from its defaults.
TemplateRecord SampleRecord(int32_t identifier, const UnitDescription* unitClass);

// Two windows: the first holds one unit of every class (with children, a
// hand pointer, a cursor-file pointer, tags, flags, bindings, pictures and
// fonts); the second holds only its own record. Slots hold left-over values.
Template RepresentativeTemplate();
Bytes WrittenTemplate(const Template& source, TemplateLayout* layout = nullptr);

// Reads `bytes` and, when that succeeds, walks everything a loader would:
// every record by identifier, every binding's handler through the event
// links, the mouse pointers and every property block through its class's
// codec. Returns whether the read succeeded. Any fault shows up as a
// sanitizer report.
bool ReadAndExercise(const Bytes& bytes, const HandlerTable* handlers);

// Reads every proper prefix of `bytes`, each in an allocation of exactly its
// size so that a read past its end is caught, and expects each to be
// refused; the empty prefix must read as a template without windows.
void ExpectEveryTruncationRefused(const Bytes& bytes, const HandlerTable* handlers);

// Reads `samples` copies of `bytes` with 1 to 4 bytes changed at random
// (seeded, so a failure can be replayed) through ReadAndExercise. Returns
// how many were still read.
int ReadRandomByteFlips(const Bytes& bytes, const HandlerTable* handlers, int samples,
                        uint32_t seed);
