-- Builds the list 1..10^6 and folds it with a sum from the left, as a Lua
-- programmer writes it: a table filled in order, a loop for the fold.
-- Prints 500000500000.
local xs = {}
for n = 1, 1000000 do
  xs[#xs + 1] = n
end
local total = 0
for _, x in ipairs(xs) do
  total = total + x
end
print(total)
