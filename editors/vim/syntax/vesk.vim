" Vim syntax file for vesk programs (*.vk).
" Install: copy syntax/ and ftdetect/ into ~/.vim (or ~/.config/nvim), or
" add this folder to 'runtimepath'.
if exists("b:current_syntax")
  finish
endif

" A bracket text is data: inside it only [ and ] count, and they nest.
syntax region veskText start=/\[/ end=/\]/ contains=veskText
syntax match veskName /[a-z_]\+/
" A definition head (listed after names, so that it wins): a name, or an
" operator in brackets, after a comma and directly before its backslash.
syntax match veskDefinition /\%(,\_s*\)\@<=\%([a-z_]\+\|\[[^a-zA-Z0-9_\[\] ]\]\)\ze\%(()\)\=\\/
syntax match veskNumber /\d\+/
" Capitals are the prelude's one-letter combinators, each its own atom.
syntax match veskCombinator /[A-Z]/
syntax match veskOperator /[-+*\/%^=<>#&|?;:.@'`~!$"]/
syntax match veskLambda /\\/
syntax match veskBrace /[{}]/
syntax match veskComma /,/

highlight default link veskText String
highlight default link veskDefinition Function
highlight default link veskName Identifier
highlight default link veskNumber Number
highlight default link veskCombinator Constant
highlight default link veskOperator Operator
highlight default link veskLambda Keyword
highlight default link veskBrace Keyword
highlight default link veskComma Delimiter

let b:current_syntax = "vesk"
