#pragma once

#include <string>
#include <vector>

// Signs the executable `input` (unsigned, or signed before: that signature is replaced) with
// osslsigncode and the given options of `osslsigncode sign`, and writes the result to `output`
// such that the appended archive stays readable to the Java launcher: its end record's comment
// covers what the signer appends. The result is checked, its signature verified against the
// certificates it carries, those in the PEM files named with -CAfile <file> (an option of the
// packager's, taken out of `options`) and the system's roots, and its archive opened, before
// `output` is written; on any failure `output` is left as it was. Passwords come from a file
// (-readpass), never on the command line.
bool signExecutable(const std::string& input, const std::string& output, std::vector<std::string> options,
                    std::string& error);
