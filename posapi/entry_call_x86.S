/* PosapiCallKeepingStack(entry, words, count): calls entry with count 32-bit
 * arguments, words[0] first, and returns what it returns in eax. The caller's
 * stack pointer is kept in ebp, which the entry preserves under the C
 * convention and the stdcall one alike, and put back after the call: so it is
 * the same whether the entry left its arguments on the stack (cdecl) or
 * removed them itself (stdcall). 32-bit x86 only; empty elsewhere. */
#if defined(__i386__)

#if defined(_WIN32)
#define ENTRY_CALL _PosapiCallKeepingStack
#else
#define ENTRY_CALL PosapiCallKeepingStack
#endif

  .text
  .globl ENTRY_CALL
#if defined(__ELF__)
  .hidden ENTRY_CALL
  .type ENTRY_CALL, @function
#endif
  .p2align 4
ENTRY_CALL:
  pushl %ebp
  movl %esp, %ebp
  pushl %esi
  pushl %edi
  movl 16(%ebp), %ecx     /* count */
  movl 12(%ebp), %esi     /* words */
  leal 0(,%ecx,4), %eax
  subl %eax, %esp
  andl $-16, %esp         /* the entry starts on a 16-byte boundary */
  movl %esp, %edi
  cld
  rep movsl               /* words[0] at the lowest address: the first argument */
  call *8(%ebp)
  leal -8(%ebp), %esp     /* whatever the entry did to esp */
  popl %edi
  popl %esi
  popl %ebp
  ret
#if defined(__ELF__)
  .size ENTRY_CALL, . - ENTRY_CALL
#endif

#endif

#if defined(__ELF__)
  .section .note.GNU-stack, "", @progbits
#endif
