-- Counts the ways to place 9 queens on a 9 by 9 board, row by row, the
-- columns of the queens placed so far kept in a list (newest first, as the
-- vesk program's list). Prints 352.
local function safe(col, queens)
  for dist, q in ipairs(queens) do
    if q == col or q == col + dist or q == col - dist then return false end
  end
  return true
end

local function place(n, k, queens)
  if k == 0 then return 1 end
  local count = 0
  for col = 1, n do
    if safe(col, queens) then
      local next = { col }
      table.move(queens, 1, #queens, 2, next)
      count = count + place(n, k - 1, next)
    end
  end
  return count
end

print(place(9, 9, {}))
