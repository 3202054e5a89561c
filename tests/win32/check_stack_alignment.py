#!/usr/bin/env python3
"""Every function of a 32-bit Windows program that keeps SSE values on its
stack at 16-byte alignment first aligns the stack itself.

32-bit Windows promises only 4-byte stack alignment when it calls a window
procedure, a hook or a thread's start, while GCC, unless told otherwise,
assumes 16 bytes and keeps SSE values on the stack with instructions that fault
on any other address. Such a fault is never seen under Wine, which aligns the
stack before it calls the program, nor under emulation: only on Windows. So
the disassembly of a build with its symbols is read function by function: one
that moves or computes with a 128-bit SSE value in a slot addressed from %esp
or %ebp, with an instruction that needs it aligned, must contain
`and $0xfffffff0,%esp` (GCC's realignment, which -mincoming-stack-boundary=2
asks for wherever it is needed).

usage: check_stack_alignment.py OBJDUMP FILE...
Prints each function that breaks the rule and exits 1 if there is one; prints
how many functions and accesses were read either way.
"""
import re
import subprocess
import sys

# SSE instructions with a 128-bit memory operand that need no alignment, or
# whose memory operand is 32 or 64 bits wide.
UNALIGNED = {
    "movups", "movupd", "movdqu", "lddqu", "movss", "movsd", "movd", "movq",
    "movlps", "movhps", "movlpd", "movhpd", "cvtps2pd", "cvtdq2pd", "pinsrw",
    "pextrw", "movmskps", "movmskpd", "pmovmskb", "maskmovdqu",
}
FUNCTION = re.compile(r"^[0-9a-f]+ <(.+)>:$")
INSTRUCTION = re.compile(r"^\s*[0-9a-f]+:\s+(\S+)\s*(.*)$")
STACK_OPERAND = re.compile(r"\(%e[sb]p[,)]")
REALIGNMENT = re.compile(r"^and\s+\$0xfffffff0,%esp$")


def needs_alignment(mnemonic, operands):
    """An SSE instruction whose memory operand on the stack must be 16-byte aligned."""
    if "%xmm" not in operands or not STACK_OPERAND.search(operands):
        return False
    if mnemonic in UNALIGNED or mnemonic.endswith(("ss", "sd", "si")):
        return False
    # packed single, double and integer forms, and the aligned moves
    return mnemonic.endswith(("ps", "pd", "dq", "dqa")) or mnemonic.startswith("p")


def functions(objdump, path):
    """(name, [instructions]) for every function in the file's disassembly."""
    text = subprocess.run([objdump, "-d", "--no-show-raw-insn", path], check=True,
                          capture_output=True, text=True).stdout
    name, body = None, []
    for line in text.splitlines():
        header = FUNCTION.match(line)
        if header:
            if name is not None:
                yield name, body
            name, body = header.group(1), []
            continue
        instruction = INSTRUCTION.match(line)
        if instruction and name is not None:
            body.append((instruction.group(1), instruction.group(2).split("#")[0].strip()))
    if name is not None:
        yield name, body


def main():
    objdump, paths = sys.argv[1], sys.argv[2:]
    counted = aligned = realigning = 0
    broken = []
    for path in paths:
        for name, body in functions(objdump, path):
            counted += 1
            accesses = [f"{m} {o}" for m, o in body if needs_alignment(m, o)]
            realigns = any(REALIGNMENT.match(f"{m} {o}") for m, o in body)
            aligned += len(accesses)
            realigning += realigns
            if accesses and not realigns:
                broken.append((path, name, accesses))
    for path, name, accesses in broken:
        print(f"FAIL: {path}: {name} assumes a 16-byte aligned stack without aligning it: {accesses[0]}")
    print(f"{counted} functions read, {realigning} of them aligning their stack; "
          f"{aligned} aligned SSE accesses to the stack, {len(broken)} functions without the alignment they need")
    if counted == 0:
        print("FAIL: no function in the disassembly")
        return 1
    return 1 if broken else 0


if __name__ == "__main__":
    sys.exit(main())
