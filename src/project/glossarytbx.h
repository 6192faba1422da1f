#pragma once

// The glossary as TBX, the terminology exchange format. Written in its core structure:
//
//   <martif type="TBX" xml:lang="en">
//     <martifHeader><fileDesc><sourceDesc><p>...</p></sourceDesc></fileDesc></martifHeader>
//     <text><body>
//       <termEntry id="t1">
//         <note>the note</note>
//         <langSet xml:lang="en"><tig><term>Captain</term>
//           <termNote type="x-caseSensitive">yes</termNote></tig></langSet>
//         <langSet xml:lang="fr"><tig><term>Capitaine</term></tig></langSet>
//       </termEntry>
//     </body></text>
//   </martif>
//
// "do not translate" is a termNote "x-doNotTranslate" of the source term, whose target langSet
// then holds the source term itself, so that other programs read it right too. Read: that, and
// the TBX of other programs (a `tbx` root, termSec as well as tig and ntig/termGrp), the
// first term of each language taken; data categories this program has no use for are passed
// over.

#include "base/result.h"
#include "project/glossary.h"

#include <string>
#include <string_view>

namespace zyn {

std::string WriteTbx(const Glossary& glossary);

// The source and target languages are the glossary's when it names them (a code matching
// "en" also matches "en-US"), else the root's xml:lang and the first other language.
Result<ReadGlossary> ReadTbx(std::string_view text, const std::string& sourceLanguage = {},
                             const std::string& targetLanguage = {});

} // namespace zyn
