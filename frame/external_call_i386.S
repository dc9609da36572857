/* The call of an external function with its stack check, for 32-bit Windows
   (CallExternalWords in external_functions.h):

     uintptr_t MorvaneCallStdcall(FARPROC address, const uintptr_t* words,
                                  int count, int32_t* stackMoved);  (cdecl)

   The words are pushed last first and the function called. The stack pointer
   before the pushes is kept in esi, which every function gives back; after
   the call, its distance from there goes to *stackMoved, and the stack
   pointer is put back from the frame pointer, whatever the function popped.
   Between the saved register and the words lie 64 bytes of room: a function
   that takes more words than it is given reads there (and may write there,
   as into its own arguments), not into the caller's frame. */

  .section .text$MorvaneCallStdcall, "xr"
  .balign 4
  .globl _MorvaneCallStdcall
_MorvaneCallStdcall:
  pushl %ebp
  movl %esp, %ebp
  pushl %esi
  subl $64, %esp
  movl %esp, %esi
  movl 16(%ebp), %ecx       /* count */
  movl 12(%ebp), %edx       /* words */
1:
  testl %ecx, %ecx
  jz 2f
  decl %ecx
  pushl (%edx,%ecx,4)
  jmp 1b
2:
  call *8(%ebp)             /* the result stays in eax */
  movl %esp, %ecx
  subl %esi, %ecx
  movl 20(%ebp), %edx       /* stackMoved */
  movl %ecx, (%edx)
  leal -4(%ebp), %esp
  popl %esi
  popl %ebp
  ret
