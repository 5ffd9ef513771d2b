-- A function taking and returning text, called in a loop.
local function Wrap(s, k)
  if k % 2 == 0 then return '<' .. s .. '>' else return '[' .. s .. ']' end
end
local n = 0
for i = 1, 400000 do
  local t = Wrap('item', i)
  n = n + #t
end
return n
